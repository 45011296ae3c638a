// A fake operating system for the launch: a small in-memory file system that
// records every call in order, so that tests can read the launch as a script.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "launcher/system.h"

namespace zolvan::testing {

class RecordingSystem : public System {
public:
    std::wstring appFolder = L"C:\\Games\\Zolvan";
    std::map<std::wstring, std::int64_t> files;  // path -> length
    std::set<std::wstring> folders;
    std::set<std::wstring> foldersThatFail;       // CreateFolder refuses these
    std::wstring writeFailure;                    // WriteTextFile's reason, if any
    std::wstring startFailure;                    // StartProgram's reason, if any

    std::vector<std::wstring> calls;
    std::map<std::wstring, std::wstring> written;  // path -> text

    std::wstring AppFolder() override { return appFolder; }

    std::optional<std::int64_t> FileLength(const std::wstring& path) override
    {
        calls.push_back(L"length " + path);
        const auto found = files.find(path);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    }

    void RemoveFile(const std::wstring& path) override
    {
        calls.push_back(L"delete " + path);
        files.erase(path);
    }

    bool CopyReplacing(const std::wstring& source, const std::wstring& destination) override
    {
        calls.push_back(L"copy " + source + L" -> " + destination);
        const auto found = files.find(source);
        if (found == files.end())
            return false;
        files[destination] = found->second;
        return true;
    }

    Outcome CreateFolder(const std::wstring& path) override
    {
        calls.push_back(L"folder " + path);
        if (foldersThatFail.count(path))
            return {L"Access is denied."};
        folders.insert(path);
        return {};
    }

    Outcome WriteTextFile(const std::wstring& path, const std::wstring& text) override
    {
        calls.push_back(L"write " + path);
        if (!writeFailure.empty())
            return {writeFailure};
        written[path] = text;
        return {};
    }

    Outcome StartProgram(const std::wstring& program, const std::wstring& arguments,
                         const std::wstring& workingFolder) override
    {
        calls.push_back(L"start " + program + L" | " + arguments + L" | " + workingFolder);
        return {startFailure};
    }

    void ShowMessage(const std::wstring& text, const std::wstring& caption) override
    {
        calls.push_back(L"message " + caption + L": " + text);
    }

    void StopTimer() override { calls.push_back(L"stop timer"); }

    // The calls whose text starts with `kind`, such as L"copy ".
    std::vector<std::wstring> CallsOf(const std::wstring& kind) const
    {
        std::vector<std::wstring> matching;
        for (const auto& call : calls)
            if (call.rfind(kind, 0) == 0)
                matching.push_back(call);
        return matching;
    }
};

}  // namespace zolvan::testing
