#include "windows_test_support.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

// A value line of a .reg file; name empty for the key's default value.
std::wstring valueLine(const std::wstring &name, const std::wstring &value) {
    std::wstring line = name.empty() ? L"@=\"" : L"\"" + name + L"\"=\"";
    for (const wchar_t c : value) {
        if (c == L'\\' || c == L'"')
            line += L'\\';
        line += c;
    }
    return line + L"\"";
}

// What the registry tool exports for the keys and their values.
std::wstring
regFile(std::initializer_list<std::pair<std::wstring, std::vector<std::wstring>>> keys) {
    std::wstring text = L"Windows Registry Editor Version 5.00\r\n\r\n";
    for (const auto &[key, values] : keys) {
        text += L"[HKEY_CLASSES_ROOT\\" + key + L"]\r\n";
        for (const std::wstring &value : values)
            text += value + L"\r\n";
        text += L"\r\n";
    }
    return text;
}

std::wstring classesKey(const std::wstring &key) {
    return L"HKEY_CLASSES_ROOT\\" + key;
}

// The value's data as stored, its terminating NUL included.
std::wstring storedData(const std::wstring &key) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                     nullptr, &size) != ERROR_SUCCESS)
        return L"(missing)";
    std::wstring data((size + 1) / sizeof(wchar_t), L'\0');
    RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                 data.data(), &size);
    return data;
}

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> found;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        found.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return found;
}

// Kestrum in a program folder of its own, whose name has blanks and letters outside every code
// page, against a classes root that holds nothing of the batch file type.
class Kestrum : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t *key : {L".rvq", L"rvqfile", L"Other.Batch"})
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
        folder = makeFolder(L"Prógram Földer Ωλ");
        kestrum = copyBeside(L"kestrum.exe", folder);
        program = folder + L"\\Runvoy.exe";
    }

    ProgramRun runKestrum() const { return runProgram(quoted(kestrum)); }

    std::wstring openCommand() const { return quoted(program) + L" /o \"%1\""; }
    std::wstring editCommand() const { return quoted(program) + L" /e \"%1\""; }

    std::wstring folder;
    std::wstring kestrum;
    std::wstring program;
};

TEST_F(Kestrum, firstRun_writesTheFiveValuesExactly) {
    const ProgramRun run = runKestrum();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.errorOutput, "");

    EXPECT_EQ(exportedKey(classesKey(L".rvq")), regFile({{L".rvq", {valueLine(L"", L"rvqfile")}}}));
    EXPECT_EQ(exportedKey(classesKey(L"rvqfile")),
              regFile({
                  {L"rvqfile", {valueLine(L"", L"Runvoy")}},
                  {L"rvqfile\\DefaultIcon", {valueLine(L"", program + L",1")}},
                  {L"rvqfile\\shell", {}},
                  {L"rvqfile\\shell\\Edit", {}},
                  {L"rvqfile\\shell\\Edit\\command", {valueLine(L"", editCommand())}},
                  {L"rvqfile\\shell\\open", {}},
                  {L"rvqfile\\shell\\open\\command", {valueLine(L"", openCommand())}},
              }));
    // The registry tool shows no more than the text; the data must not hold more either.
    const std::pair<std::wstring, std::wstring> stored[] = {
        {L".rvq", L"rvqfile"},
        {L"rvqfile", L"Runvoy"},
        {L"rvqfile\\DefaultIcon", program + L",1"},
        {L"rvqfile\\shell\\open\\command", openCommand()},
        {L"rvqfile\\shell\\Edit\\command", editCommand()},
    };
    for (const auto &[key, text] : stored)
        EXPECT_EQ(storedData(key), text + L'\0') << testing::PrintToString(key);
}

TEST_F(Kestrum, existingType_isReusedAndItsOtherValuesSurvive) {
    setClassesValue(L".rvq", L"", L"Other.Batch");
    setClassesValue(L".rvq", L"Content Type", L"text/x-other-batch");
    setClassesValue(L"Other.Batch", L"", L"Other batch");
    setClassesValue(L"Other.Batch", L"FriendlyTypeName", L"Other batch file");
    setClassesValue(L"Other.Batch\\DefaultIcon", L"", L"C:\\Other\\other.exe,0");
    setClassesValue(L"Other.Batch\\shell\\open\\command", L"", L"C:\\Other\\other.exe \"%1\"");
    setClassesValue(L"Other.Batch\\shell\\print\\command", L"", L"C:\\Other\\other.exe /p \"%1\"");
    const std::wstring extension = exportedKey(classesKey(L".rvq"));

    EXPECT_EQ(runKestrum().exitCode, 0u);

    EXPECT_EQ(exportedKey(classesKey(L".rvq")), extension);
    EXPECT_EQ(exportedKey(classesKey(L"rvqfile")), L"");
    EXPECT_EQ(
        exportedKey(classesKey(L"Other.Batch")),
        regFile({
            {L"Other.Batch",
             {valueLine(L"", L"Runvoy"), valueLine(L"FriendlyTypeName", L"Other batch file")}},
            {L"Other.Batch\\DefaultIcon", {valueLine(L"", program + L",1")}},
            {L"Other.Batch\\shell", {}},
            {L"Other.Batch\\shell\\Edit", {}},
            {L"Other.Batch\\shell\\Edit\\command", {valueLine(L"", editCommand())}},
            {L"Other.Batch\\shell\\open", {}},
            {L"Other.Batch\\shell\\open\\command", {valueLine(L"", openCommand())}},
            {L"Other.Batch\\shell\\print", {}},
            {L"Other.Batch\\shell\\print\\command",
             {valueLine(L"", L"C:\\Other\\other.exe /p \"%1\"")}},
        }));
}

TEST_F(Kestrum, secondRun_changesNothing) {
    ASSERT_EQ(runKestrum().exitCode, 0u);
    const std::wstring afterFirstRun =
        exportedKey(classesKey(L".rvq")) + exportedKey(classesKey(L"rvqfile"));

    const ProgramRun second = runKestrum();
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_EQ(second.errorOutput, "");
    EXPECT_EQ(exportedKey(classesKey(L".rvq")) + exportedKey(classesKey(L"rvqfile")),
              afterFirstRun);
}

TEST_F(Kestrum, entriesThatCannotBeWritten_areReportedAndTheOthersWritten) {
    // A volatile key can only have volatile subkeys, so the type's subkeys cannot be made.
    HKEY type = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"rvqfile", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &type, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(type);

    const ProgramRun run = runKestrum();

    EXPECT_NE(run.exitCode, 0u);
    const std::vector<std::string> reported = lines(run.errorOutput);
    const char *const expected[] = {"kestrum: cannot write the icon of rvqfile: ",
                                    "kestrum: cannot write the \"open\" command of rvqfile: ",
                                    "kestrum: cannot write the \"Edit\" command of rvqfile: "};
    ASSERT_EQ(reported.size(), std::size(expected)) << run.errorOutput;
    for (std::size_t i = 0; i < reported.size(); ++i) {
        EXPECT_EQ(reported[i].rfind(expected[i], 0), 0u) << reported[i];
        EXPECT_GT(reported[i].size(), std::string(expected[i]).size()) << "no reason given";
    }
    EXPECT_EQ(exportedKey(classesKey(L"rvqfile")),
              regFile({{L"rvqfile", {valueLine(L"", L"Runvoy")}}}));
}

TEST_F(Kestrum, openingABatchFileThroughTheShell_startsRunvoyWithIt) {
    copyBeside(L"Runvoy.exe", folder);
    ASSERT_EQ(runKestrum().exitCode, 0u);
    const std::wstring batch = makeFolder(L"Bätches Ωλ") + L"\\Morning Ωλ.rvq";
    writeUtf16File(batch, L"");
    const std::wstring log = folder + L"\\arguments.txt";

    // What a double-click does: the shell's default verb on the file.
    EXPECT_EQ(runProgram(L"cmd.exe /c start \"\" /wait " + quoted(batch)).exitCode, 0u);
    EXPECT_EQ(takeUtf16File(log), L"/o " + quoted(batch));

    SHELLEXECUTEINFOW edit = {};
    edit.cbSize = sizeof(edit);
    edit.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    edit.lpVerb = L"Edit";
    edit.lpFile = batch.c_str();
    edit.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&edit));
    if (edit.hProcess != nullptr) {
        WaitForSingleObject(edit.hProcess, 60000);
        CloseHandle(edit.hProcess);
    }
    EXPECT_EQ(takeUtf16File(log), L"/e " + quoted(batch));

    // The icon the type names is the second of the two in the program file.
    EXPECT_EQ(ExtractIconExW(program.c_str(), -1, nullptr, nullptr, 0), 2u);
    HICON icon = nullptr;
    EXPECT_EQ(ExtractIconExW(program.c_str(), 1, &icon, nullptr, 1), 1u);
    if (icon != nullptr)
        DestroyIcon(icon);
}

} // namespace
