// The start menu's window: six warehouse tiles and the close button, all from the layout.
#pragma once

#include "classlib/Form.h"
#include "classlib/GroupBox.h"
#include "classlib/LMDButton.h"
#include "classlib/Label.h"
#include "classlib/Panel.h"

class TForm1 : public TForm {
public:  // published: the layout fills and binds these by name
    TGroupBox* GroupBox1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* Label2 = nullptr;
    TPanel* Panel3 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel6 = nullptr;
    TLabel* Label6 = nullptr;
    TPanel* Panel5 = nullptr;
    TLabel* Label5 = nullptr;
    TPanel* Panel4 = nullptr;
    TLabel* Label4 = nullptr;
    TLMDButton* ZamknijBut = nullptr;
    TLMDButton* SpozBut = nullptr;
    TLMDButton* CzystBut = nullptr;
    TLMDButton* PapBut = nullptr;
    TLMDButton* OdziezBut = nullptr;
    TLMDButton* GospBut = nullptr;
    TLMDButton* MeblBut = nullptr;

    void FormShow(TObject* Sender);
    void SpozButClick(TObject* Sender);
    void CzystButClick(TObject* Sender);
    void PapButClick(TObject* Sender);
    void OdziezButClick(TObject* Sender);
    void GospButClick(TObject* Sender);
    void MeblButClick(TObject* Sender);
    void ZamknijButClick(TObject* Sender);

public:
    TForm1();
    std::string_view ClassName() const override { return "TForm1"; }
    BindResult BindComponent(std::string_view name, TComponent* component) override;
    TNotifyEvent MethodAddress(std::string_view name) override;
};

extern TForm1* Form1;
