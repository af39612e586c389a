#pragma once
// The processes of the calling user, as the task list shows them.
#include <string>
#include <vector>

namespace taskkill {

struct RunningProcess {
    int pid = 0;
    // The file name of the program, "PDFCreator.exe", as Windows names an image.
    std::string imageName;
};

// Every process whose real user is the caller's, except the caller itself.
// Processes that end while the list is read are left out.
std::vector<RunningProcess> runningProcessesOfThisUser();

}  // namespace taskkill
