#include "Panel.h"

#include "classlib/Application.h"
#include "classlib/Published.h"
#include "classlib/StartProgram.h"

#include "Catalogue.h"

#include <array>

TForm1* Form1 = nullptr;

namespace {

constexpr std::array<PublishedField<TForm1>, 20> kFields{{
    {"GroupBox1", &BindField<&TForm1::GroupBox1>},
    {"Panel1", &BindField<&TForm1::Panel1>},
    {"Label1", &BindField<&TForm1::Label1>},
    {"Panel2", &BindField<&TForm1::Panel2>},
    {"Label2", &BindField<&TForm1::Label2>},
    {"Panel3", &BindField<&TForm1::Panel3>},
    {"Label3", &BindField<&TForm1::Label3>},
    {"Panel6", &BindField<&TForm1::Panel6>},
    {"Label6", &BindField<&TForm1::Label6>},
    {"Panel5", &BindField<&TForm1::Panel5>},
    {"Label5", &BindField<&TForm1::Label5>},
    {"Panel4", &BindField<&TForm1::Panel4>},
    {"Label4", &BindField<&TForm1::Label4>},
    {"ZamknijBut", &BindField<&TForm1::ZamknijBut>},
    {"SpozBut", &BindField<&TForm1::SpozBut>},
    {"CzystBut", &BindField<&TForm1::CzystBut>},
    {"PapBut", &BindField<&TForm1::PapBut>},
    {"OdziezBut", &BindField<&TForm1::OdziezBut>},
    {"GospBut", &BindField<&TForm1::GospBut>},
    {"MeblBut", &BindField<&TForm1::MeblBut>},
}};

constexpr std::array<PublishedMethod<TForm1>, 8> kMethods{{
    {"FormShow", &TForm1::FormShow},
    {"SpozButClick", &TForm1::SpozButClick},
    {"CzystButClick", &TForm1::CzystButClick},
    {"PapButClick", &TForm1::PapButClick},
    {"OdziezButClick", &TForm1::OdziezButClick},
    {"GospButClick", &TForm1::GospButClick},
    {"MeblButClick", &TForm1::MeblButClick},
    {"ZamknijButClick", &TForm1::ZamknijButClick},
}};

// The row's program, its window shown; whether it started is not examined.
void StartModule(std::size_t row) {
    classlib::StartProgram(std::string(core::kModuleCatalogue[row].programPath).c_str(), SW_SHOW);
}

}  // namespace

TForm1::TForm1() { LoadLayout(); }

BindResult TForm1::BindComponent(std::string_view name, TComponent* component) {
    return BindByName<TForm1>(*this, kFields, name, component);
}

TNotifyEvent TForm1::MethodAddress(std::string_view name) { return MethodByName<TForm1>(*this, kMethods, name); }

// Only one launcher at a time: the first to show its window creates the marker object, a later
// one finds it, says so and ends. Nothing is signalled to the first.
void TForm1::FormShow(TObject*) {
    // The handle is deliberately kept by nobody and never closed: the object must live exactly as
    // long as this process, and the system closes the handle when the process ends, however it
    // ends.
    const HANDLE marker = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, "Kolbrenta");
    if (!marker) return;  // another kind of object holds the name, or no rights: no guard then
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return;
    ::CloseHandle(marker);
    Application->MessageBox("Jest ju\xBF uruchomiony magazyn.", "Info", MB_OK | MB_ICONEXCLAMATION);
    Application->Terminate();
}

void TForm1::SpozButClick(TObject*) { StartModule(0); }
void TForm1::CzystButClick(TObject*) { StartModule(1); }
void TForm1::PapButClick(TObject*) { StartModule(2); }
void TForm1::OdziezButClick(TObject*) { StartModule(3); }
void TForm1::GospButClick(TObject*) { StartModule(4); }
void TForm1::MeblButClick(TObject*) { StartModule(5); }

void TForm1::ZamknijButClick(TObject*) { Close(); }
