#include "src/util/Host.h"

Host hostOf(const com::Object& Application) {
    const std::string name = Application.value().toString();
    if (name == "Microsoft Word") return Host::Word;
    if (name == "Microsoft Excel") return Host::Excel;
    return Host::Other;
}
