#include "windows_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

std::wstring makeFolder(const std::wstring &name) {
    static int made = 0;
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    for (;;) {
        const std::wstring folder = std::wstring(temporary, length) + name + L" " +
                                    std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(++made);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot make a folder, error " << GetLastError();
            return folder;
        }
    }
}

std::wstring testProgramFolder() {
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    const std::wstring self(path, length);
    return self.substr(0, self.find_last_of(L'\\'));
}

std::wstring copyBeside(const std::wstring &fileName, const std::wstring &folder,
                        const std::wstring &newName) {
    const std::wstring copy = folder + L"\\" + (newName.empty() ? fileName : newName);
    if (!CopyFileW((testProgramFolder() + L"\\" + fileName).c_str(), copy.c_str(), FALSE))
        ADD_FAILURE() << "cannot copy a test program, error " << GetLastError();
    return copy;
}

ProgramRun runProgram(const std::wstring &commandLine) {
    ProgramRun run;
    // A file and not a pipe, so that a program writing much cannot stall on a full pipe.
    wchar_t errorFile[MAX_PATH + 1];
    wchar_t temporary[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temporary);
    GetTempFileNameW(temporary, L"err", 0, errorFile);
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    const HANDLE error = CreateFileW(errorFile, GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = error;
    PROCESS_INFORMATION process = {};
    std::wstring writable = commandLine;
    if (CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        else
            ADD_FAILURE() << "the program did not end within two minutes";
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start a program, error " << GetLastError();
    }
    CloseHandle(error);
    std::ifstream output(std::filesystem::path(errorFile), std::ios::binary);
    run.errorOutput.assign(std::istreambuf_iterator<char>(output), {});
    output.close();
    DeleteFileW(errorFile);
    return run;
}

std::wstring readUtf16File(const std::wstring &path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = wchar_t(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8);
    if (!text.empty() && text.front() == L'\xFEFF')
        text.erase(0, 1);
    return text;
}

std::wstring takeUtf16File(const std::wstring &path) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (std::chrono::steady_clock::now() > giveUp) {
            ADD_FAILURE() << "no program wrote the file it was to write";
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const std::wstring text = readUtf16File(path);
    DeleteFileW(path.c_str());
    return text;
}

void writeUtf16File(const std::wstring &path, const std::wstring &text) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(reinterpret_cast<const char *>(text.data()),
               std::streamsize(text.size() * sizeof(wchar_t)));
}

std::wstring exportedKey(const std::wstring &key) {
    const std::wstring file = makeFolder(L"export") + L"\\key.reg";
    if (runProgram(L"reg.exe export " + quoted(key) + L" " + quoted(file) + L" /y").exitCode != 0)
        return {};
    return readUtf16File(file);
}

void setClassesValue(const std::wstring &key, const std::wstring &name, const std::wstring &value) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name.empty() ? nullptr : name.c_str(),
                        REG_SZ, value.c_str(), DWORD((value.size() + 1) * 2));
    ASSERT_EQ(status, ERROR_SUCCESS);
}

std::wstring quoted(const std::wstring &path) {
    return L"\"" + path + L"\"";
}
