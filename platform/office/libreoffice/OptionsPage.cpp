#include "platform/office/libreoffice/OptionsPage.h"

#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/MessageBoxType.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XFixedText.hpp>
#include <com/sun/star/awt/XMessageBox.hpp>
#include <com/sun/star/awt/XMessageBoxFactory.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/ui/dialogs/ExecutableDialogResults.hpp>
#include <com/sun/star/ui/dialogs/FilePicker.hpp>
#include <com/sun/star/ui/dialogs/FolderPicker.hpp>
#include <com/sun/star/ui/dialogs/TemplateDescription.hpp>
#include <com/sun/star/ui/dialogs/XFilterManager.hpp>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/office/libreoffice/AddInSettings.h"
#include "platform/uno/UnoText.h"
#include "platform/win32/Files.h"

namespace office::libreoffice {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The page's fields: the control, the settings key it shows, and how the
// page's messages name it.
struct Field {
    const char* control;
    const char* key;
    const char* title;
};
constexpr Field kFields[] = {
    {"ErsteSeite", "ErsteSeite", "Kopfbogen 1. Seite"},
    {"ZweiteSeite", "ZweiteSeite", "Kopfbogen Folgeseiten"},
    {"PDFAusgabePfadWord", "PDFAusgabePfadWord", "PDF-Ordner Word"},
    {"PDFAusgabePfadExcel", "PDFAusgabePfadExcel", "PDF-Ordner Excel"},
    {"Firmenkuerzel", "Firmenkürzel", "Firmenkürzel"},
};
constexpr const char* kHosts[] = {"Word", "Excel"};

constexpr const char* kUsage =
    "Ein leerer PDF-Ordner legt die PDF-Datei neben das Dokument; ~/ steht für Ihren persönlichen Ordner.";

const Field& field(const std::string& control) {
    for (const Field& each : kFields)
        if (control == each.control) return each;
    throw std::logic_error("no field " + control);
}

class Page {
public:
    Page(const Reference<css::uno::XComponentContext>& context, const Reference<css::awt::XWindow>& window)
        : context_(context), window_(window), controls_(window, UNO_QUERY_THROW) {}

    // The values in force, the answers, and where they are kept.
    void fill(const AddInSettings& settings) {
        std::string administrators;
        std::string fromThere;
        for (const Field& each : kFields) {
            const AddInSettings::Value value = settings.value(each.key);
            setText(each.control, value.text);
            if (value.source == settings.file()) continue;
            administrators = value.source;
            fromThere += std::string(fromThere.empty() ? "" : ", ") + each.title;
        }
        std::string where = "Ihre Einstellungen stehen in " + win32::hostPath(settings.file()) + ".";
        if (!fromThere.empty())
            where += "\nVom Administrator (" + win32::hostPath(administrators) +
                     "), solange Sie nichts anderes eintragen: " + fromThere;
        setText("Datei", where);
        for (const char* host : kHosts) showAnswer(settings, host);
        setText("Hinweis", kUsage);
    }

    // Names on the page what the add-in would refuse of the changed fields.
    void check(const AddInSettings& settings) {
        const std::vector<std::string> refused = refusals(settings);
        setText("Hinweis", refused.empty() ? kUsage : joined(refused));
    }

    // Stores the changed fields the add-in takes, and names those it refuses.
    void store(const AddInSettings& settings) {
        std::vector<std::pair<std::string, std::string>> changed;
        for (const Field& each : kFields) {
            const std::string text = textOf(each.control);
            if (text != settings.value(each.key).text && settings.refusal(each.key, text).empty())
                changed.emplace_back(each.key, text);
        }
        std::vector<std::string> unstored = refusals(settings);
        if (!changed.empty())
            if (const std::string why = settings.store(changed); !why.empty()) unstored.push_back(why);
        if (!unstored.empty()) tell("Nicht gespeichert:\n" + joined(unstored));
    }

    void chooseLetterhead(const AddInSettings& settings, const std::string& control) {
        const auto picker = css::ui::dialogs::FilePicker::createWithMode(
            context_, css::ui::dialogs::TemplateDescription::FILEOPEN_SIMPLE);
        picker->setTitle(uno::text(std::string(field(control).title) + " wählen"));
        Reference<css::ui::dialogs::XFilterManager>(picker, UNO_QUERY_THROW)->appendFilter("PDF-Dateien", "*.pdf");
        Reference<css::ui::dialogs::XFilterManager>(picker, UNO_QUERY_THROW)->setCurrentFilter("PDF-Dateien");
        if (const auto folder = startFolder(control)) picker->setDisplayDirectory(uno::fileUrl(*folder));
        if (picker->execute() != css::ui::dialogs::ExecutableDialogResults::OK) return;
        const auto chosen = picker->getSelectedFiles();
        if (chosen.getLength() == 0) return;
        setText(control, systemPath(chosen[0]));
        check(settings);
    }

    void chooseFolder(const AddInSettings& settings, const std::string& control) {
        const auto picker = css::ui::dialogs::FolderPicker::create(context_);
        picker->setTitle(uno::text(std::string(field(control).title) + " wählen"));
        if (const auto folder = startFolder(control)) picker->setDisplayDirectory(uno::fileUrl(*folder));
        if (picker->execute() != css::ui::dialogs::ExecutableDialogResults::OK) return;
        setText(control, systemPath(picker->getDirectory()));
        check(settings);
    }

    void forget(const AddInSettings& settings, const std::string& host) {
        if (const std::string why = settings.forget(host); !why.empty()) tell(why);
        showAnswer(settings, host);
    }

    // The page's note shows what keeps it from working.
    void note(const std::string& text) { setText("Hinweis", text); }

private:
    std::string textOf(const std::string& control) const {
        const Reference<css::awt::XTextComponent> edit(controls_->getControl(uno::text(control)), UNO_QUERY_THROW);
        return uno::text(edit->getText());
    }

    void setText(const std::string& control, const std::string& text) const {
        const auto found = controls_->getControl(uno::text(control));
        if (const Reference<css::awt::XTextComponent> edit(found, UNO_QUERY); edit.is())
            edit->setText(uno::text(text));
        else
            Reference<css::awt::XFixedText>(found, UNO_QUERY_THROW)->setText(uno::text(literal(uno::lineFeeds(text))));
    }

    void showAnswer(const AddInSettings& settings, const std::string& host) const {
        const std::string answer = settings.answer(host);
        setText("Antwort" + host, answer.empty() ? "keine, es wird gefragt" : answer);
        Reference<css::awt::XWindow>(controls_->getControl(uno::text("vergiss" + host)), UNO_QUERY_THROW)
            ->setEnable(!answer.empty());
    }

    // Why the add-in refuses the fields that differ from the values in force.
    std::vector<std::string> refusals(const AddInSettings& settings) const {
        std::vector<std::string> refused;
        for (const Field& each : kFields) {
            const std::string text = textOf(each.control);
            if (text == settings.value(each.key).text) continue;
            if (const std::string why = settings.refusal(each.key, text); !why.empty())
                refused.push_back(std::string(each.title) + ": " + why);
        }
        return refused;
    }

    // Where a picker starts: the folder of the field's file, or the folder itself.
    std::optional<std::filesystem::path> startFolder(const std::string& control) const {
        std::filesystem::path path = textOf(control);
        if (!path.is_absolute()) return std::nullopt;
        if (!std::filesystem::is_directory(path)) path = path.parent_path();
        if (!std::filesystem::is_directory(path)) return std::nullopt;
        return path;
    }

    static std::string systemPath(const rtl::OUString& url) {
        rtl::OUString path;
        if (osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return uno::text(url);
        return uno::text(path);
    }

    // A label reads "~" as the mark of its shortcut letter; "~~" shows one.
    static std::string literal(std::string text) {
        for (auto at = text.find('~'); at != std::string::npos; at = text.find('~', at + 2)) text.insert(at, 1, '~');
        return text;
    }

    static std::string joined(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
        return text;
    }

    void tell(const std::string& message) const {
        Reference<css::awt::XWindowPeer> parent;
        if (const Reference<css::awt::XControl> control(window_, UNO_QUERY); control.is()) parent = control->getPeer();
        if (!parent.is()) parent.set(window_, UNO_QUERY);
        const Reference<css::awt::XMessageBoxFactory> boxes(css::awt::Toolkit::create(context_), UNO_QUERY_THROW);
        boxes
            ->createMessageBox(parent, css::awt::MessageBoxType_WARNINGBOX, css::awt::MessageBoxButtons::BUTTONS_OK,
                               "pdf-Kalmora", uno::text(uno::lineFeeds(message)))
            ->execute();
    }

    Reference<css::uno::XComponentContext> context_;
    Reference<css::awt::XWindow> window_;
    Reference<css::awt::XControlContainer> controls_;
};

}  // namespace

bool handleOptionsPage(const Reference<css::uno::XComponentContext>& context, const Reference<css::awt::XWindow>& page,
                       const std::string& method, const std::string& event) {
    Page shown(context, page);
    std::optional<AddInSettings> settings;
    try {
        settings.emplace(AddInSettings::find());
    } catch (const std::exception& error) {
        shown.note(error.what());
        return true;
    }
    if (method == "external_event") {
        if (event == "initialize" || event == "back") shown.fill(*settings);
        if (event == "ok") shown.store(*settings);
        return true;
    }
    if (method == "pruefe")
        shown.check(*settings);
    else if (method == "waehleErsteSeite")
        shown.chooseLetterhead(*settings, "ErsteSeite");
    else if (method == "waehleZweiteSeite")
        shown.chooseLetterhead(*settings, "ZweiteSeite");
    else if (method == "waehleOrdnerWord")
        shown.chooseFolder(*settings, "PDFAusgabePfadWord");
    else if (method == "waehleOrdnerExcel")
        shown.chooseFolder(*settings, "PDFAusgabePfadExcel");
    else if (method == "vergissWord")
        shown.forget(*settings, "Word");
    else if (method == "vergissExcel")
        shown.forget(*settings, "Excel");
    else
        return false;
    return true;
}

}  // namespace office::libreoffice
