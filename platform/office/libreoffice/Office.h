#pragma once
// The running office as the home of the hosts: Writer's documents go to the
// Word host, Calc's to the Excel host, each made when the first of its
// documents shows; windows and message boxes use the office's own toolkit;
// when the office ends, or this extension is disabled or removed, the hosts
// shut down. One per office process, used on its main thread only.
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <filesystem>
#include <optional>
#include <string>

namespace office::libreoffice {

class Office {
public:
    // The office's one instance; null until started.
    static Office* instance() noexcept;
    // Sets up the user's part of the installation in `root` (UserSetup.h)
    // and starts watching the office's documents (at the office's start, or
    // when the first click arrives before it). Returns the setup's message
    // for the user, if it has one. Without a world nothing more is done but
    // one line in the office's log.
    static std::optional<std::string> start(
        const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
        const std::filesystem::path& root);

    // The user pressed the item with `command` in the window `frame`.
    void click(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame, const std::string& command);

    struct State;

private:
    explicit Office(State& state) : state_(state) {}

    // Referenced by the office's broadcasters, which may call it until the
    // process ends: it is never released.
    State& state_;
};

}  // namespace office::libreoffice
