#include "TextRules.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {

void LowerAscii(wchar_t* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] >= L'A' && text[i] <= L'Z') text[i] = static_cast<wchar_t>(text[i] - L'A' + L'a');
}

TEST(ApplicationTitle, FileNameWithoutFolderCutAtFirstFullStopRestLowerCase) {
    struct Case { const wchar_t* path; const wchar_t* title; };
    const Case cases[] = {
        {L"C:\\Program Files\\Kolbrenta\\launcher.exe", L"launcher"},  // the first character as it is
        {L"C:\\KOLBRENTA\\LAUNCHER.EXE", L"Launcher"},
        {L"Z:\\x\\mAgAzYn.v2.exe", L"magazyn"},   // first character kept as it is
        {L"D:start.exe", L"start"},                // a drive without a folder
        {L"\\\\server\\share\\Menu", L"Menu"},      // no extension at all
        {L"C:\\dir.with.dots\\App.exe", L"App"},  // full stops in folders do not count
        {L"C:\\x\\.hidden.exe", L""},
        {L"C:\\x\\A.exe", L"A"},
        {L"PLAIN.EXE", L"Plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(core::ApplicationTitle(c.path, LowerAscii), c.title) << c.path;
}

TEST(ExceptionBoxText, AppendsFullStopOnlyAfterBytesAboveIt) {
    struct Case { const char* message; const char* text; };
    const Case cases[] = {
        {"", ""},
        {"Resource TFORM1 not found", "Resource TFORM1 not found."},
        {"Done.", "Done."},
        {"Why?", "Why?."},             // '?' (0x3F) sorts after '.' (0x2E), so even a question gets one
        {"Stop!", "Stop!"},            // '!' sorts before '.'
        {"(see above)", "(see above)"},
        {"a/b", "a/b."},               // '/' is the byte after '.'
        {"a-", "a-"},                  // '-' is the byte before '.'
        {"ko\xBF", "ko\xBF."},         // a Windows-1250 letter is above, compared as unsigned
        {"1", "1."},
    };
    for (const auto& c : cases) EXPECT_EQ(core::ExceptionBoxText(c.message), c.text) << c.message;
}

}  // namespace
