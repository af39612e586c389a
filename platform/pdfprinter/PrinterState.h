#pragma once
// The PDF printer's state in the world (pdfprinter/ below the world folder),
// shared by the printer process and the automation objects of every host:
//   options        the options, one "name=value" per line
//   hold           present while the printer holds its jobs
//   last-output    the path of the last file written since the process started
//   last-error     why the last file that could not be written was not
//   stop-request   the process id that was asked to end
//   instance.lock  see InstanceLock.h
// Each file is replaced atomically. Writes throw std::system_error (or
// std::filesystem::filesystem_error) when the world cannot be written.
#include <filesystem>
#include <string>
#include <string_view>

namespace pdfprinter {

enum class JobFlow { Process, Hold };

class PrinterState {
public:
    // The printer of the current world ($KALMORA_WORLD).
    PrinterState();
    explicit PrinterState(std::filesystem::path folder);

    const std::filesystem::path& folder() const noexcept { return folder_; }

    // An option's value as text; empty when it was never set. Names are
    // compared without regard to (ASCII) case, as member names are.
    std::string option(std::string_view name) const;
    void setOption(std::string_view name, std::string_view value);

    JobFlow jobFlow() const;
    void setJobFlow(JobFlow flow);

    std::string lastOutput() const;
    void setLastOutput(std::string_view path);

    // Why the printer could not write its last file since the process
    // started, for the user; empty when every file was written.
    std::string lastError() const;
    void setLastError(std::string_view why);

    // Asks the process `pid` to end; a request names its process so that a
    // request left over from an earlier process stops no later one.
    void requestStop(int pid);
    bool stopRequested(int pid) const;
    void clearStopRequest();

private:
    std::filesystem::path folder_;
};

}  // namespace pdfprinter
