#pragma once
// Writer and Calc with windows, used as a user uses them: the office shows
// its windows on the test's desktop ($DISPLAY, tests/support/Xvfb.h) and is
// reached through its UNO pipe. The add-in's button is found on the Standard
// toolbar through the office's layout manager (in the tabbed interfaces in
// the module's ≡ menu), pressed by a real mouse click or through its
// dispatch, and the windows the add-in opens are answered by keyboard
// (xdotool); a dialog's fields and buttons are found by their names as the
// office's accessibility tree gives them, filled and pressed. The desktop's
// viewer is a stand-in that notes what it was asked to open. The test program
// generates the headers of the office's types used here (cmake/Uno.cmake).
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>

#include <chrono>
#include <com/sun/star/accessibility/XAccessible.hpp>
#include <com/sun/star/accessibility/XAccessibleAction.hpp>
#include <com/sun/star/accessibility/XAccessibleComponent.hpp>
#include <com/sun/star/accessibility/XAccessibleContext.hpp>
#include <com/sun/star/accessibility/XAccessibleEditableText.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XExtendedToolkit.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/deployment/ExtensionManager.hpp>
#include <com/sun/star/deployment/XPackage.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/ucb/XCommandEnvironment.hpp>
#include <com/sun/star/ui/XImageManager.hpp>
#include <com/sun/star/ui/XUIElement.hpp>
#include <com/sun/star/ui/XUIElementSettings.hpp>
#include <com/sun/star/ui/theModuleUIConfigurationManagerSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/office/render/OfficeConnection.h"
#include "platform/office/render/OfficeProcess.h"
#include "platform/uno/UnoText.h"
#include "tests/support/Eventually.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/PdfText.h"
#include "tests/support/WindowFocus.h"

namespace office_session {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

// What a user waits for at most: for a window, a button, a result.
inline constexpr auto patience = std::chrono::seconds(60);

// Whether `done` holds within a user's patience; the office is asked every 100 ms.
inline bool eventually(const std::function<bool()>& done) {
    return ::eventually(done, patience, std::chrono::milliseconds(100));
}

// Runs a test's steps; an exception of the office, which GoogleTest cannot
// name, fails the test with the office's message.
inline void officeCalls(const std::function<void()>& steps) {
    try {
        steps();
    } catch (const com::sun::star::uno::Exception& error) {
        FAIL() << "the office raised: " << uno::text(error.Message);
    }
}

// The whole screen as a PNG file.
inline void saveScreen(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    pdf::run("import -window root " + pdf::quoted(file.string()));
}

// Where the office's extension manager would ask the user or show progress: nowhere.
class SilentEnvironment final : public cppu::WeakImplHelper1<css::ucb::XCommandEnvironment> {
public:
    Reference<css::task::XInteractionHandler> SAL_CALL getInteractionHandler() override { return {}; }
    Reference<css::ucb::XProgressHandler> SAL_CALL getProgressHandler() override { return {}; }
};

// A conversion of `document` to PDF into `outFolder` as a script runs it
// with the office of `profile`: headless, on the command line, without a
// display. What the office said, and how long it took.
struct Conversion {
    std::string said;
    std::chrono::steady_clock::duration took;
};
inline Conversion convertHeadless(const std::filesystem::path& profile, const std::filesystem::path& document,
                                  const std::filesystem::path& outFolder) {
    const auto start = std::chrono::steady_clock::now();
    std::string said =
        pdf::run("env -u DISPLAY /usr/lib/libreoffice/program/soffice --headless " +
                 pdf::quoted("-env:UserInstallation=file://" + profile.string()) + " --convert-to pdf --outdir " +
                 pdf::quoted(outFolder.string()) + " " + pdf::quoted(document.string()) + " 2>&1");
    return {std::move(said), std::chrono::steady_clock::now() - start};
}

struct ToolbarItem {
    std::string label, command;
    friend bool operator==(const ToolbarItem&, const ToolbarItem&) = default;
    friend void PrintTo(const ToolbarItem& item, std::ostream* out) { *out << item.label << " " << item.command; }
};

// The desktop's viewer (xdg-open) in `folder`/bin, which PATH names first
// from now on; it notes each file it is asked to open in
// `folder`/geöffnet.txt. Whoever runs the office must be able to run it and
// to write there.
class ViewerStandIn {
public:
    explicit ViewerStandIn(const std::filesystem::path& folder) : notes_(folder / "geöffnet.txt") {
        std::filesystem::create_directories(folder / "bin");
        std::ofstream(folder / "bin/xdg-open") << "#!/bin/sh\necho \"$1\" >> " << pdf::quoted(notes_.string()) << "\n";
        ::chmod((folder / "bin/xdg-open").c_str(), 0755);
        ::setenv("PATH", ((folder / "bin").string() + ":" + std::getenv("PATH")).c_str(), 1);
    }

    // The file opened last, once one was (the office hands the viewer a file
    // URL); empty after a user's patience.
    std::string opened() const {
        std::string shown;
        EXPECT_TRUE(eventually([&] { return !(shown = read()).empty(); })) << "nothing was opened";
        std::filesystem::remove(notes_);
        if (!shown.empty()) shown.pop_back();
        if (!shown.starts_with("file://")) return shown;
        std::string path;
        for (std::size_t i = 7; i < shown.size(); ++i) {
            if (shown[i] == '%' && i + 2 < shown.size()) {
                path += static_cast<char>(std::stoi(shown.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                path += shown[i];
            }
        }
        return path;
    }

private:
    std::string read() const {
        std::ifstream in(notes_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path notes_;
};

// An office with windows on the profile `profile`, linked through the pipe
// `pipe`, with `options.windows` taken as Shown. It is ended with the
// object; after a failure its log (options.log) is printed.
class OfficeSession {
public:
    OfficeSession(const std::filesystem::path& profile, const std::string& pipe, office::OfficeOptions options)
        : log_(options.log) {
        const std::string user = options.user;
        options.windows = office::OfficeWindows::Shown;
        try {
            process_.emplace(profile, pipe, std::move(options));
            if (user.empty()) {
                context_ = office::connectToOffice(*process_, patience);
            } else {
                // The office's pipe bears the name of the user who runs it:
                // the link is made as that user.
                const passwd* account = ::getpwnam(user.c_str());
                if (account == nullptr) throw std::runtime_error("no user " + user);
                const OrdinaryUser as(account->pw_uid, account->pw_gid);
                context_ = office::connectToOffice(*process_, patience);
            }
            desktop_ = css::frame::Desktop::create(context_);
        } catch (...) {
            printLog();
            throw;
        }
    }

    ~OfficeSession() {
        end();
        if (::testing::Test::HasFailure()) printLog();
    }
    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    const auto& context() const { return context_; }
    const auto& desktop() const { return desktop_; }
    office::OfficeProcess& process() { return *process_; }

    // Closes the office as a user does and waits for its end; an office
    // that does not end is killed. Returns its exit code (-1: killed, or
    // ended before).
    int end() {
        // The quit is asked on a thread of its own: an office that hangs in
        // its quit does not answer, and is killed after the patience.
        std::thread quit;
        if (process_ && process_->running()) {
            quit = std::thread([desktop = desktop_] {
                try {
                    desktop->terminate();
                } catch (const css::uno::Exception&) {
                    // The office often ends before it answers.
                }
            });
        }
        // After a failure the office may be stuck in a window: it is ended at once.
        if (process_ && !::testing::Test::HasFailure()) process_->waitForEnd(patience);
        const int code = process_ && !process_->running() ? process_->exitCode() : -1;
        process_.reset();
        if (quit.joinable()) quit.join();
        desktop_.clear();
        context_.clear();
        return code;
    }

    // Opens a document in a window, as the user does.
    Reference<css::frame::XModel> open(const std::string& url) {
        return Reference<css::frame::XModel>(desktop_->loadComponentFromURL(uno::text(url), "_blank", 0, {}),
                                             UNO_QUERY_THROW);
    }
    Reference<css::frame::XModel> openFile(const std::filesystem::path& file) {
        return open(uno::text(uno::fileUrl(file)));
    }

    // The add-ins' items on the window's Standard toolbar.
    static std::vector<ToolbarItem> items(const Reference<css::frame::XModel>& model) {
        const Reference<css::ui::XUIElementSettings> settings(standardToolbar(model), UNO_QUERY_THROW);
        return addInItems(settings->getSettings(false));
    }

    // The add-ins' entries in the menu behind the ≡ button of the tabbed
    // interfaces, which the office keeps for all windows of the module `module`.
    std::vector<ToolbarItem> tabbedMenu(const std::string& module) const {
        return addInItems(css::ui::theModuleUIConfigurationManagerSupplier::get(context_)
                              ->getUIConfigurationManager(uno::text(module))
                              ->getSettings("private:resource/popupmenu/notebookbar", false));
    }

    // The entries that the extensions give the office's user interface in
    // the set `set` of AddonUI ("OfficeNotebookBar": the notebook bars'
    // Extension buttons and tabs, by extension; "AddonMenu": Tools ▸
    // Add-Ons), as the office merged them from its extensions.
    std::vector<ToolbarItem> addOnEntries(const std::string& set) const {
        css::beans::PropertyValue path;
        path.Name = "nodepath";
        path.Value <<= uno::text("/org.openoffice.Office.Addons/AddonUI/" + set);
        const css::uno::Any argument(path);
        std::vector<ToolbarItem> found;
        std::function<void(const Reference<css::container::XNameAccess>&)> collect = [&](const auto& nodes) {
            for (const rtl::OUString& name : nodes->getElementNames()) {
                const Reference<css::container::XNameAccess> node(nodes->getByName(name), UNO_QUERY_THROW);
                if (!node->hasByName("URL")) {
                    collect(node);
                    continue;
                }
                rtl::OUString title, command;
                node->getByName("Title") >>= title;
                node->getByName("URL") >>= command;
                found.push_back({uno::text(title), uno::text(command)});
            }
        };
        collect(Reference<css::container::XNameAccess>(
            css::configuration::theDefaultProvider::get(context_)->createInstanceWithArguments(
                "com.sun.star.configuration.ConfigurationAccess", Sequence<css::uno::Any>(&argument, 1)),
            UNO_QUERY_THROW));
        return found;
    }

    // Switches the interface of the window's module as View ▸ User Interface
    // does, through the office's dispatch ("Default" is "Standard Toolbar",
    // "notebookbar.ui" "Tabbed"); returns once the window shows it.
    void userInterface(const Reference<css::frame::XModel>& model, const std::string& mode) {
        const Reference<css::frame::XDispatchProvider> frame(model->getCurrentController()->getFrame(),
                                                             UNO_QUERY_THROW);
        css::frame::DispatchHelper::create(context_)->executeDispatch(
            frame, uno::text(".uno:ToolbarMode?Mode:string=" + mode), "", 0, {});
        // The tabbed interfaces have no Standard toolbar.
        const bool tabbed = mode.ends_with(".ui");
        EXPECT_TRUE(eventually([&] { return standardToolbar(model).is() != tabbed; })) << "no interface " << mode;
    }

    // The button of the add-in, once the office shows it.
    static ToolbarItem button(const Reference<css::frame::XModel>& model) {
        std::vector<ToolbarItem> shown;
        EXPECT_TRUE(eventually([&] { return !(shown = items(model)).empty(); })) << "no button";
        return shown.empty() ? ToolbarItem{} : shown.front();
    }

    bool hasFace(const std::string& module, const std::string& command) const {
        const auto images = css::ui::theModuleUIConfigurationManagerSupplier::get(context_)
                                ->getUIConfigurationManager(uno::text(module))
                                ->getImageManager();
        const rtl::OUString name = uno::text(command);
        const Sequence<Reference<css::graphic::XGraphic>> faces =
            Reference<css::ui::XImageManager>(images, UNO_QUERY_THROW)->getImages(0, Sequence<rtl::OUString>(&name, 1));
        return faces.getLength() == 1 && faces[0].is();
    }

    // The identifiers of the extensions the office has in `repository`
    // ("user", "shared" or "bundled").
    std::vector<std::string> extensions(const std::string& repository) const {
        std::vector<std::string> identifiers;
        for (const auto& extension :
             css::deployment::ExtensionManager::get(context_)->getDeployedExtensions(uno::text(repository), {}, {})) {
            if (extension.is() && extension->getIdentifier().IsPresent)
                identifiers.push_back(uno::text(extension->getIdentifier().Value));
        }
        return identifiers;
    }

    // What the user does to the extension in Tools ▸ Extension Manager.
    enum class ExtensionChange { Disable, Enable, Remove };
    void changeExtension(ExtensionChange change) const {
        const auto manager = css::deployment::ExtensionManager::get(context_);
        for (const auto& extension : manager->getDeployedExtensions("user", {}, {})) {
            if (!extension.is() || uno::text(extension->getIdentifier().Value) != "org.kalmora.pdf-kalmora") continue;
            switch (change) {
                case ExtensionChange::Disable: manager->disableExtension(extension, {}, {}); break;
                case ExtensionChange::Enable: manager->enableExtension(extension, {}, {}); break;
                case ExtensionChange::Remove:
                    // The office needs an environment to ask in, even one that asks nothing.
                    manager->removeExtension(extension->getIdentifier().Value, extension->getName(), "user",
                                             manager->createAbortChannel(), new SilentEnvironment);
                    break;
            }
        }
    }

    // A real mouse click in the middle of the toolbar button labelled `label`.
    static void clickWithMouse(const Reference<css::frame::XModel>& model, const std::string& label) {
        // The user clicks into the window seen: without a window manager
        // the one opened last lies over the others.
        Reference<css::awt::XTopWindow>(model->getCurrentController()->getFrame()->getContainerWindow(),
                                        UNO_QUERY_THROW)
            ->toFront();
        // Where the button is on the screen once the window shows it and
        // has settled: the same place twice in a row, as a user's eye finds it.
        std::optional<css::awt::Point> last;
        std::optional<css::awt::Point> middle;
        ASSERT_TRUE(eventually([&] {
            const auto now = buttonMiddle(model, label);
            const bool settled = now && last && now->X == last->X && now->Y == last->Y;
            last = now;
            if (settled) middle = now;
            return settled;
        })) << "no item \""
            << label << "\" on the toolbar";
        xdotool("mousemove --sync " + std::to_string(middle->X) + " " + std::to_string(middle->Y));
        xdotool("click 1");
    }

    // Presses the button through the office's dispatch, as the toolbar does;
    // the click runs until its windows are answered.
    std::thread dispatchClick(const Reference<css::frame::XModel>& model, const std::string& command) {
        return dispatch(model, command, {});
    }

    // Runs `command` with `arguments` in the model's window, as a menu does
    // (".uno:OptionsTreeDialog"); it runs until its windows are answered.
    std::thread dispatch(const Reference<css::frame::XModel>& model, const std::string& command,
                         const Sequence<css::beans::PropertyValue>& arguments) {
        const Reference<css::frame::XDispatchProvider> frame(model->getCurrentController()->getFrame(),
                                                             UNO_QUERY_THROW);
        return std::thread([context = context_, frame, command, arguments] {
            try {
                css::frame::DispatchHelper::create(context)->executeDispatch(frame, uno::text(command), "", 0,
                                                                             arguments);
            } catch (const css::uno::Exception&) {
                // The office was ended under the command (finish).
            }
        });
    }

    // Waits for a dispatched click to end. After a failure (a window that
    // did not show, or was not answered) the office is ended first, so that
    // the click does not wait for ever.
    void finish(std::thread& click) {
        if (::testing::Test::HasFailure()) process_.reset();
        click.join();
    }

    // A dispatched command that is waited for however the test's steps end:
    // after an exception of the office the office is ended first.
    class Running {
    public:
        Running(OfficeSession& session, std::thread command) : session_(session), command_(std::move(command)) {}
        ~Running() {
            if (!command_.joinable()) return;
            if (std::uncaught_exceptions() > 0) session_.process_.reset();
            session_.finish(command_);
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

        void finish() { session_.finish(command_); }

    private:
        OfficeSession& session_;
        std::thread command_;
    };

    // The X window titled `title` once it shows, or "" when none shows.
    static std::string shown(const std::string& title) {
        std::string window;
        const bool shows = eventually([&] {
            window = xdotool("search --onlyvisible --name " + pdf::quoted(wholeTitle(title)));
            return !window.empty() && window.find_first_not_of("0123456789\n") == std::string::npos;
        });
        return shows ? window.substr(0, window.find('\n')) : "";
    }

    // Waits for the window titled `title` and types `keys` into it; with a
    // `screenshot` file, the screen as the user sees it is saved first.
    void answer(const std::string& title, const std::string& keys, const std::filesystem::path& screenshot = {}) {
        const std::string window = shown(title);
        ASSERT_FALSE(window.empty()) << "no window \"" << title << "\"";
        if (!screenshot.empty()) saveScreen(screenshot);
        // Without a window manager nothing gives a new window the focus.
        xdotool("windowfocus --sync " + window);
        ASSERT_TRUE(eventually([&] { return readyForKeys(context_, title); })) << title << " takes no keys";
        xdotool("key --delay 50 " + keys);
    }

    // Types `text` into the field of the window titled `title` that has the
    // focus, over what it proposes, as a user types a file name.
    void type(const std::string& title, const std::string& text) {
        answer(title, "ctrl+a");
        xdotool("type --delay 20 " + pdf::quoted(text));
    }

    // A copy of the document `from` as the file `to`, stored with the
    // office's filter `filter` (a template, another format) without a window.
    void storeCopy(const std::filesystem::path& from, const std::filesystem::path& to, const std::string& filter) {
        const Reference<css::frame::XStorable> document(
            desktop_->loadComponentFromURL(uno::fileUrl(from), "_blank", 0,
                                           uno::properties({uno::property("Hidden", css::uno::Any(true))})),
            UNO_QUERY_THROW);
        document->storeToURL(uno::fileUrl(to),
                             uno::properties({uno::property("FilterName", css::uno::Any(uno::text(filter)))}));
        Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
    }

    // Types `keys` into the window titled `title`, whether it takes them or not.
    static void typeInto(const std::string& title, const std::string& keys) {
        const std::string window = xdotool("search --onlyvisible --name " + pdf::quoted(title));
        ASSERT_FALSE(window.empty()) << "no window \"" << title << "\"";
        xdotool("windowfocus --sync " + window.substr(0, window.find('\n')));
        xdotool("key --delay 50 " + keys);
    }

    // The texts that the active window titled `title` shows (its controls'
    // accessible names), once it is ready for keys.
    std::vector<std::string> textsOf(const std::string& title) const {
        std::vector<std::string> texts;
        for (const auto& control : controlsOf(title)) texts.push_back(uno::text(control->getAccessibleName()));
        return texts;
    }

    // Fills the field named `name` in the active window titled `title` as a
    // user does: into the field, its text replaced, and on with Tab.
    // (A field takes the name of the label before it.)
    void enter(const std::string& title, const std::string& name, const std::string& text) {
        const Reference<css::accessibility::XAccessibleEditableText> field(
            control<css::accessibility::XAccessibleEditableText>(title, name));
        ASSERT_TRUE(field.is()) << "no field \"" << name << "\" in \"" << title << "\"";
        Reference<css::accessibility::XAccessibleComponent>(field, UNO_QUERY_THROW)->grabFocus();
        ASSERT_TRUE(field->setText(uno::text(text)));
        xdotool("key Tab");
    }

    // What the field named `name` in the active window titled `title` holds.
    std::string textIn(const std::string& title, const std::string& name) const {
        const auto field = control<css::accessibility::XAccessibleEditableText>(title, name);
        return field.is() ? uno::text(field->getText()) : "(no field \"" + name + "\")";
    }

    // Presses the first button named `name` in the active window titled
    // `title` as the keyboard or a screen reader does, with the button's own
    // action; it runs until the windows it opens are answered. (A synthetic
    // mouse click, held for a few milliseconds only, was lost now and then
    // on a busy machine: the button stayed down.)
    std::thread press(const std::string& title, const std::string& name) {
        const auto button = control<css::accessibility::XAccessibleAction>(title, name);
        EXPECT_TRUE(button.is()) << "no button \"" << name << "\" in \"" << title << "\"";
        return std::thread([button] {
            try {
                if (button.is()) button->doAccessibleAction(0);
            } catch (const css::uno::Exception&) {
                // The office was ended under the press (finish).
            }
        });
    }

private:
    // The named controls of the active window titled `title`, in the order of
    // its accessibility tree, once it is ready for keys.
    std::vector<Reference<css::accessibility::XAccessibleContext>> controlsOf(const std::string& title) const {
        std::vector<Reference<css::accessibility::XAccessibleContext>> controls;
        EXPECT_TRUE(eventually([&] { return readyForKeys(context_, title); })) << "no window \"" << title << "\"";
        const Reference<css::awt::XExtendedToolkit> toolkit(css::awt::Toolkit::create(context_), UNO_QUERY_THROW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const Reference<css::accessibility::XAccessible> window(toolkit->getActiveTopWindow(), css::uno::UNO_QUERY);
#pragma GCC diagnostic pop
        // The office's options nest a page a few levels deeper than a message box.
        const std::function<void(const Reference<css::accessibility::XAccessibleContext>&, int)> collect =
            [&](const Reference<css::accessibility::XAccessibleContext>& control, int depth) {
                if (!control.is() || depth > 10) return;
                if (depth > 0 && !control->getAccessibleName().isEmpty()) controls.push_back(control);
                for (sal_Int32 i = 0; i < control->getAccessibleChildCount(); ++i)
                    collect(control->getAccessibleChild(i)->getAccessibleContext(), depth + 1);
            };
        if (window.is()) collect(window->getAccessibleContext(), 0);
        return controls;
    }

    // The first control named `name` that offers `Interface`.
    template <typename Interface>
    Reference<Interface> control(const std::string& title, const std::string& name) const {
        for (const auto& each : controlsOf(title)) {
            const Reference<Interface> found(each, css::uno::UNO_QUERY);
            if (found.is() && uno::text(each->getAccessibleName()) == name) return found;
        }
        return {};
    }

    void printLog() const {
        std::ifstream in(log_, std::ios::binary);
        const std::string said(std::istreambuf_iterator<char>(in), {});
        if (!said.empty()) std::cerr << "The office's log:\n" << said;
    }

    // xdotool's pattern of the title `title` and no other: the options'
    // "Options - pdf-Kalmora - …" holds a message box's "pdf-Kalmora".
    static std::string wholeTitle(const std::string& title) {
        std::string pattern = "^";
        for (const char c : title) {
            if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) pattern += '\\';
            pattern += c;
        }
        return pattern + "$";
    }

    static std::string xdotool(const std::string& arguments) {
        return pdf::run("xdotool " + arguments + " 2>&1");
    }

    // The items of the add-ins' protocol among a bar's items.
    static std::vector<ToolbarItem> addInItems(const Reference<css::container::XIndexAccess>& all) {
        std::vector<ToolbarItem> found;
        for (sal_Int32 i = 0; i < all->getCount(); ++i) {
            Sequence<css::beans::PropertyValue> properties;
            all->getByIndex(i) >>= properties;
            ToolbarItem item;
            for (const auto& property : properties) {
                rtl::OUString text;
                if (!(property.Value >>= text)) continue;
                if (property.Name == "Label") item.label = uno::text(text);
                if (property.Name == "CommandURL") item.command = uno::text(text);
            }
            if (item.command.starts_with("vnd.kalmora:")) found.push_back(item);
        }
        return found;
    }

    static Reference<css::ui::XUIElement> standardToolbar(const Reference<css::frame::XModel>& model) {
        Reference<css::frame::XLayoutManager> layout;
        Reference<css::beans::XPropertySet>(model->getCurrentController()->getFrame(), UNO_QUERY_THROW)
            ->getPropertyValue("LayoutManager") >>= layout;
        return layout->getElement("private:resource/toolbar/standardbar");
    }

    static std::optional<css::awt::Point> buttonMiddle(const Reference<css::frame::XModel>& model,
                                                       const std::string& label) {
        const Reference<css::awt::XWindow> window(standardToolbar(model)->getRealInterface(), UNO_QUERY_THROW);
        const auto toolbar =
            Reference<css::accessibility::XAccessible>(window, UNO_QUERY_THROW)->getAccessibleContext();
        try {
            for (sal_Int32 i = 0; i < toolbar->getAccessibleChildCount(); ++i) {
                const auto item = toolbar->getAccessibleChild(i)->getAccessibleContext();
                if (uno::text(item->getAccessibleName()) != label) continue;
                const Reference<css::accessibility::XAccessibleComponent> component(item, UNO_QUERY_THROW);
                const auto at = component->getLocationOnScreen();
                const auto size = component->getSize();
                if (size.Width <= 0 || size.Height <= 0) return std::nullopt;
                return css::awt::Point(at.X + size.Width / 2, at.Y + size.Height / 2);
            }
        } catch (const css::lang::DisposedException&) {
            // The toolbar renews its items while the document changes (undo,
            // save): looked at again once they have settled.
        }
        return std::nullopt;
    }

    std::filesystem::path log_;
    std::optional<office::OfficeProcess> process_;
    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XDesktop2> desktop_;
};

}  // namespace office_session
