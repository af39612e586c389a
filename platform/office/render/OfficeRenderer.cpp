#include "platform/office/render/OfficeRenderer.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <thread>
#include <utility>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/sheet/XSheetAnnotation.hpp>
#include <com/sun/star/sheet/XSheetAnnotations.hpp>
#include <com/sun/star/sheet/XSheetAnnotationsSupplier.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include "platform/office/render/DocumentFile.h"
#include "platform/office/render/OfficeConnection.h"
#include "platform/office/render/OfficeProcess.h"
#include "platform/office/render/OfficeProfile.h"
#include "platform/office/render/OfficeWatchdog.h"
#include "platform/office/render/PrintedPages.h"
#include "platform/uno/UnoText.h"

namespace office {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using uno::fileUrl;
using uno::properties;
using uno::property;
using uno::text;

constexpr auto kStartLimit = std::chrono::seconds(60);
constexpr auto kEndLimit = std::chrono::seconds(5);
// What one document may cost the office (OfficeRenderer.h).
constexpr long kLayOutSeconds = 60;
constexpr long kMemoryMegabytes = 4096;
// An office that failed after holding this share of its address space failed
// for want of memory: an allocation that no longer fits can be large.
constexpr std::uint64_t kNearLimitPercent = 75;
constexpr std::uint64_t kMegabyte = std::uint64_t{1024} * 1024;

// A whole number from the environment variable `name`, or `fallback`.
long fromEnvironment(const char* name, long fallback) {
    const char* value = std::getenv(name);
    if (value == nullptr) return fallback;
    long result = 0;
    const std::string_view digits(value);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    return error == std::errc() && end == digits.data() + digits.size() && result > 0 ? result : fallback;
}

// Answers every question the office would ask while loading (a password, a
// repair of a damaged file, a filter to choose) with "abort", as nobody is
// there to answer, and notes whether a password was asked for.
class Refuser : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override {
        const css::uno::Type asked = request->getRequest().getValueType();
        if (cppu::UnoType<css::task::PasswordRequest>::get().isAssignableFrom(asked)) passwordAsked_ = true;
        const auto continuations = request->getContinuations();
        for (sal_Int32 i = 0; i < continuations.getLength(); ++i) {
            const Reference<css::task::XInteractionAbort> abort(continuations[i], UNO_QUERY);
            if (abort.is()) {
                abort->select();
                return;
            }
        }
    }

    bool passwordAsked() const noexcept { return passwordAsked_; }

private:
    std::atomic<bool> passwordAsked_ = false;
};

// Closes a loaded document however the laying out ends.
class LoadedDocument {
public:
    explicit LoadedDocument(const Reference<css::lang::XComponent>& document) : document_(document) {}
    ~LoadedDocument() {
        try {
            const Reference<css::util::XCloseable> closeable(document_, UNO_QUERY);
            if (closeable.is()) closeable->close(true);
        } catch (const css::uno::Exception&) {
            // The office keeps a document it cannot close; this host is done with it.
        }
    }
    LoadedDocument(const LoadedDocument&) = delete;
    LoadedDocument& operator=(const LoadedDocument&) = delete;

    const Reference<css::lang::XComponent>& get() const noexcept { return document_; }

private:
    Reference<css::lang::XComponent> document_;
};

// The name of the import filter the office chose for the document.
std::string filterOf(const Reference<css::lang::XComponent>& document) {
    const Reference<css::frame::XModel> model(document, UNO_QUERY);
    if (!model.is()) return {};
    const auto arguments = model->getArgs();
    for (sal_Int32 i = 0; i < arguments.getLength(); ++i) {
        rtl::OUString name;
        if (arguments[i].Name == "FilterName" && (arguments[i].Value >>= name)) return text(name);
    }
    return {};
}

// Whether the office read the file as plain text or a web page, which it
// does with any bytes it does not recognise: a damaged document.
bool readAsText(const std::string& filter) {
    return filter.empty() || filter.starts_with("Text") || filter.starts_with("HTML");
}

std::string joined(const std::vector<std::string>& names) {
    std::string result;
    for (const std::string& name : names) result += (result.empty() ? "" : ", ") + name;
    return result;
}

// A text document prints all of its pages.
LaidOutDocument layOutText(const std::filesystem::path& file, const Reference<css::lang::XComponent>& document) {
    if (!Reference<css::text::XTextDocument>(document, UNO_QUERY).is())
        throw DocumentRefused(file, "Die Datei ist kein Word-Dokument.");
    return {.sheets = {}, .sheet = {}, .pdf = textDocumentPages(document)};
}

// Comments shown on the sheet would print as boxes beside their cells;
// Excel prints none unless its page setup asks for them.
void hideComments(const Reference<css::sheet::XSpreadsheet>& sheet) {
    const Reference<css::sheet::XSheetAnnotationsSupplier> supplier(sheet, UNO_QUERY);
    if (!supplier.is()) return;
    const Reference<css::sheet::XSheetAnnotations> comments = supplier->getAnnotations();
    for (sal_Int32 i = 0; comments.is() && i < comments->getCount(); ++i) {
        const Reference<css::sheet::XSheetAnnotation> comment(comments->getByIndex(i), UNO_QUERY);
        if (comment.is()) comment->setIsVisible(false);
    }
}

// A spreadsheet prints one sheet: `wanted`, or without a name its active one.
LaidOutDocument layOutSpreadsheet(const std::filesystem::path& file, const Reference<css::lang::XComponent>& document,
                                  const std::string& wanted) {
    const Reference<css::sheet::XSpreadsheetDocument> workbook(document, UNO_QUERY);
    if (!workbook.is()) throw DocumentRefused(file, "Die Datei ist keine Excel-Arbeitsmappe.");
    LaidOutDocument result;
    const auto sheets = workbook->getSheets();
    const auto names = sheets->getElementNames();
    for (sal_Int32 i = 0; i < names.getLength(); ++i) result.sheets.push_back(text(names[i]));

    Reference<css::sheet::XSpreadsheet> sheet;
    if (wanted.empty()) {
        // The sheet the file stores as active is the one its view shows.
        const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
        const Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY);
        sheet = view.is() ? view->getActiveSheet() : nullptr;
        if (!sheet.is()) sheets->getByName(names[0]) >>= sheet;
    } else if (sheets->hasByName(text(wanted))) {
        sheets->getByName(text(wanted)) >>= sheet;
    } else {
        throw DocumentRefused(
            file, "Die Arbeitsmappe hat kein Blatt \"" + wanted + "\"; ihre Blätter: " + joined(result.sheets) + ".");
    }
    result.sheet = text(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
    hideComments(sheet);
    // Only this sheet's pages: a page range would count across the workbook.
    result.pdf = sheetPages(document, sheet);
    return result;
}

// The pages of `file`, loaded into the office of `desktop`.
LaidOutDocument layOutIn(const Reference<css::frame::XDesktop2>& desktop, const std::filesystem::path& file,
                         OfficeDocumentKind kind, const std::string& sheet) {
    const rtl::OUString url = fileUrl(file);
    if (url.isEmpty()) throw DocumentRefused(file, "Der Pfad ist ungültig.");
    const rtl::Reference<Refuser> refuser(new Refuser);
    Reference<css::lang::XComponent> loaded;
    try {
        loaded = desktop->loadComponentFromURL(
            url, "_blank", 0,
            properties({property("Hidden", css::uno::Any(true)), property("ReadOnly", css::uno::Any(true)),
                        // Macros never run and links are never followed: the hosts only print.
                        property("MacroExecutionMode", css::uno::Any(sal_Int16(0))),
                        property("UpdateDocMode", css::uno::Any(sal_Int16(0))),
                        property("InteractionHandler",
                                 css::uno::Any(Reference<css::task::XInteractionHandler>(refuser.get())))}));
    } catch (const css::lang::IllegalArgumentException&) {
    } catch (const css::io::IOException&) {
        // Both mean that the office could not read the file.
    }
    const LoadedDocument document(loaded);
    const bool unreadable = !loaded.is() || readAsText(filterOf(loaded));
    // Refused the password, the office may still read the file's bytes as
    // text; that is no damage but the password.
    if (unreadable && refuser->passwordAsked())
        throw DocumentRefused(file, "Das Dokument ist mit einem Kennwort geschützt.");
    if (unreadable) throw DocumentRefused(file, "Die Datei ist beschädigt oder kein Office-Dokument.");
    if (kind == OfficeDocumentKind::Spreadsheet) return layOutSpreadsheet(file, loaded, sheet);
    return layOutText(file, loaded);
}

}  // namespace

struct OfficeRenderer::Session {
    OfficeProcess process;
    Reference<css::frame::XDesktop2> desktop;

    Session(const std::filesystem::path& profile, std::uint64_t addressSpace)
        : process(profile, pipeName(profile), {.addressSpace = addressSpace}), desktop(connect()) {}

    ~Session() {
        try {
            desktop->terminate();
        } catch (const css::uno::Exception&) {
            // The office often ends before it answers.
        }
        desktop.clear();
        process.waitForEnd(kEndLimit);
    }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static std::string pipeName(const std::filesystem::path& profile) {
        return "kalmora-office-" + std::to_string(::getpid()) + "-" + profile.filename().string();
    }

    Reference<css::frame::XDesktop2> connect() {
        return css::frame::Desktop::create(connectToOffice(process, kStartLimit));
    }
};

DocumentRefused::DocumentRefused(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error("\"" + file.string() + "\" lässt sich nicht öffnen: " + reason) {}

OfficeRenderer::OfficeRenderer(const std::filesystem::path& profiles)
    : profile_(std::make_unique<OfficeProfile>(profiles)),
      limits_({.seconds = fromEnvironment("KALMORA_OFFICE_SECONDS", kLayOutSeconds),
               .megabytes = static_cast<std::uint64_t>(fromEnvironment("KALMORA_OFFICE_MEMORY", kMemoryMegabytes))}) {
    start();
}

void OfficeRenderer::start() {
    session_.reset();
    const auto open = [&] {
        try {
            session_ = std::make_unique<Session>(profile_->path(), limits_.megabytes * kMegabyte);
        } catch (const css::uno::Exception& error) {
            throw std::runtime_error("Das Office-Programm lässt sich nicht ansprechen: " + text(error.Message));
        }
    };
    try {
        open();
    } catch (const std::runtime_error&) {
        // An office that cannot even start within its memory (it aborts when
        // it cannot make its threads) looks like one on a damaged profile;
        // an office that starts on the same profile without the limit tells
        // them apart, and the profile stays as it is.
        if (limits_.megabytes != 0 && startsWithoutLimit())
            throw std::runtime_error("Das Office-Programm startet nicht: Es bräuchte dafür mehr als " +
                                     std::to_string(limits_.megabytes) + " MB Speicher.");
        // A profile that an office killed while it wrote left damaged, or
        // that was changed by hand, fails every start: it is set up anew once.
        profile_->setUpAnew();
        try {
            open();
        } catch (const std::runtime_error& again) {
            throw std::runtime_error(std::string(again.what()) + " Auch mit dem neu angelegten Profil \"" +
                                     profile_->path().string() + "\" startet es nicht.");
        }
    }
}

bool OfficeRenderer::startsWithoutLimit() const {
    try {
        const Session unlimited(profile_->path(), 0);
        return true;
    } catch (const std::exception&) {
        return false;
    } catch (const css::uno::Exception&) {
        return false;
    }
}

OfficeRenderer::~OfficeRenderer() = default;

LaidOutDocument OfficeRenderer::layOut(const std::filesystem::path& given, OfficeDocumentKind kind,
                                       const std::string& sheet) {
    // The office would take a missing file for a damaged one, and wait for
    // ever on a pipe.
    const std::filesystem::path file = std::filesystem::absolute(given);
    if (const std::string why = whyNoDocumentFile(file); !why.empty()) throw DocumentRefused(file, why);
    // An office that an earlier document cost too much was ended with it.
    if (!session_ || !session_->process.running()) start();
    enum class Beyond { Nothing, Time, Memory } beyond = Beyond::Nothing;
    {
        const OfficeWatchdog watchdog(session_->process.pid(), std::chrono::seconds(limits_.seconds));
        const auto beyondLimits = [&] {
            if (watchdog.killed()) return Beyond::Time;
            const std::uint64_t near = limits_.megabytes * kMegabyte / 100 * kNearLimitPercent;
            return watchdog.peakAddressSpace() >= near ? Beyond::Memory : Beyond::Nothing;
        };
        try {
            return layOutIn(session_->desktop, file, kind, sheet);
        } catch (const DocumentRefused&) {
            // A document that needs more memory than the office has looks damaged to it.
            beyond = beyondLimits();
            if (beyond == Beyond::Nothing) throw;
        } catch (const css::uno::Exception& error) {
            beyond = beyondLimits();
            if (beyond == Beyond::Nothing)
                throw std::runtime_error("Das Office-Programm hat das Dokument \"" + file.string() +
                                         "\" nicht gesetzt: " + text(error.Message));
        }
    }
    // An office short of memory is in no state to go on: the next document
    // gets a new one.
    if (session_->process.running()) ::kill(session_->process.pid(), SIGKILL);
    session_.reset();
    const std::string tooBig = "Das Dokument ist zu groß: ";
    if (beyond == Beyond::Time)
        throw DocumentRefused(file, tooBig + "Das Office-Programm hat es nicht in " + std::to_string(limits_.seconds) +
                                        " Sekunden geöffnet und gesetzt.");
    throw DocumentRefused(file, tooBig + "Das Office-Programm bräuchte dafür mehr als " +
                                    std::to_string(limits_.megabytes) + " MB Speicher.");
}

}  // namespace office
