#pragma once
// The processes of the calling user on this machine, as the task list shows
// them. Each world stands for one machine: a process belongs to the world it
// was started in (its environment names it), and only the caller's world's
// processes are listed.
#include <functional>
#include <string>
#include <vector>

namespace taskkill {

struct RunningProcess {
    int pid = 0;
    // The file name of the program, "PDFCreator.exe", as Windows names an image.
    std::string imageName;
};

// Every process whose real user is the caller's, whose image name is
// `wanted` and whose world is the caller's, except the caller itself.
// Processes that end while the list is read, and processes whose world
// cannot be told, are left out.
std::vector<RunningProcess> runningProcessesOfThisUser(const std::function<bool(const std::string&)>& wanted);

// Whether the process has ended: gone, or a zombie that only waits for its
// parent (it holds no file, lock or connection any more).
bool hasEnded(int pid);

}  // namespace taskkill
