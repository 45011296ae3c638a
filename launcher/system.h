// The launcher's one seam over the operating system.
//
// Everything the launch touches outside its own memory goes through this
// interface: the Win32 side implements it (windows/win32_system.cpp) and the
// unit tests drive the same code through a recording fake. Paths are Windows
// paths, formed by the caller; the seam never rewrites them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zolvan {

// The result of an operation whose failure the user may have to hear about.
// An empty reason means success; otherwise it is the system's own sentence,
// such as "Access is denied.".
struct Outcome {
    std::wstring reason;
    bool ok() const { return reason.empty(); }
};

class System {
public:
    virtual ~System() = default;

    // The folder of the running program file, as the system gives it: no
    // trailing backslash except at the root of a drive.
    virtual std::wstring AppFolder() = 0;

    // The length of the file at `path`, or nothing when it cannot be had for
    // any reason (no such file, folder or drive, no medium, a folder, a
    // malformed path). Never asks the user to insert a medium.
    virtual std::optional<std::int64_t> FileLength(const std::wstring& path) = 0;

    // Deletes the one file at `path`; a failure is of no interest to anyone.
    virtual void RemoveFile(const std::wstring& path) = 0;

    // Copies a file, replacing the destination even when it is read-only, and
    // leaves the copy writable so that the emulator can delete it after the
    // game. Returns false when the copy was not made; the destination then
    // keeps what it held.
    virtual bool CopyReplacing(const std::wstring& source, const std::wstring& destination) = 0;

    // Makes sure the folder exists: succeeds when it is already there.
    virtual Outcome CreateFolder(const std::wstring& path) = 0;

    // Writes `text` as 8-bit text in the system's ANSI code page, whole or not
    // at all: on failure the file keeps its old content.
    virtual Outcome WriteTextFile(const std::wstring& path, const std::wstring& text) = 0;

    // Starts `program` with `arguments` in `workingFolder`, with a normal
    // window that takes the focus, and does not wait for it.
    virtual Outcome StartProgram(const std::wstring& program, const std::wstring& arguments,
                                 const std::wstring& workingFolder) = 0;

    // A modal message box with a single OK button; returns once it is closed.
    virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;

    // Stops the window's timer, so that its tick cannot start the launch again.
    virtual void StopTimer() = 0;
};

}  // namespace zolvan
