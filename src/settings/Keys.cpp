#include "src/settings/Keys.h"

namespace Keys {

std::optional<AnswerKeys> answerKeys(const std::string& hostKind) {
    if (hostKind != "Word" && hostKind != "Excel") return std::nullopt;
    return AnswerKeys{hostKind + "Gelesen", hostKind + "Overwrite", hostKind + "Rename"};
}

}  // namespace Keys
