#include "platform/office/host-app/HostOptions.h"

namespace office {

ParsedOptions parseHostOptions(const std::vector<std::string>& arguments) {
    HostOptions o;
    const auto fail = [](std::string why) { return ParsedOptions{std::nullopt, std::move(why)}; };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const bool takesValue = option == "--app" || option == "--open" || option == "--sheet" || option == "--load" ||
                                option == "--unload" || option == "--ui" || option == "--usage";
        if (takesValue && i + 1 >= arguments.size()) return fail(option + " braucht einen Wert.");
        const std::string value = takesValue ? arguments[++i] : std::string();
        if (option == "--app") {
            o.excel = value == "excel";
            o.application = value == "word" ? "Microsoft Word" : value == "excel" ? "Microsoft Excel" : value;
            if (value.empty()) return fail("--app braucht einen Namen.");
        } else if (option == "--open" || option == "--new") {
            const DocumentSource source = option == "--new" ? DocumentSource::New : DocumentSource::File;
            if (o.source != DocumentSource::None && o.source != source)
                return fail("--new und --open schließen einander aus.");
            o.source = source;
            o.document = value;
        } else if (option == "--modified") {
            o.modified = true;
        } else if (option == "--sheet") {
            o.sheet = value;
        } else if (option == "--load") {
            o.addIns.push_back(value);
        } else if (option == "--click") {
            ++o.clicks;
        } else if (option == "--unload") {
            o.unload = value;
        } else if (option == "--usage") {
            o.usage = value;
        } else if (option == "--crash") {
            o.crash = true;
        } else if (option == "--dump-bars") {
            o.dumpBars = true;
        } else if (option == "--ui") {
            if (value == "qt")
                o.ui = UiKind::Qt;
            else if (value == "terminal")
                o.ui = UiKind::Terminal;
            else if (value.rfind("script:", 0) == 0 && value.size() > 7) {
                o.ui = UiKind::Script;
                o.script = value.substr(7);
            } else {
                return fail("--ui kennt qt, terminal und script:DATEI, nicht " + value + ".");
            }
        } else {
            return fail("Unbekannte Angabe: " + option);
        }
    }
    if (o.modified && o.source == DocumentSource::None)
        return fail("--modified braucht ein Dokument (--open oder --new).");
    return ParsedOptions{o, {}};
}

}  // namespace office
