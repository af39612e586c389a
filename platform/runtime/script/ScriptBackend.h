#pragma once
// The scripted backend: answers are queued in order, one line for each window
// or message box, and every window and message box is recorded, one line each:
//   msgbox style=16 title="..." text="..." -> 1
//   choice caption="..." -> 0
//   dialog text="..." focus=cmdRename -> rename remember
//   open "<path>"
// A window for which the next answer does not fit, or that comes after the
// last answer, is recorded with "unexpected " in front and answered as if
// closed (a message box with Cancel when it has one, else OK).
//
// Answers: "choice 0|1|2|enter|escape|close", "dialog overwrite|rename|cancel|close"
// optionally followed by "remember", "msgbox ok|cancel". Blank lines and
// lines starting with "#" are skipped.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime/OwnClipboardBackend.h"

namespace runtime {

class ScriptBackend final : public OwnClipboardBackend {
public:
    ScriptBackend() = default;
    explicit ScriptBackend(const std::vector<std::string>& answers);
    // The answers of a script file; throws std::runtime_error when it cannot
    // be read.
    static std::vector<std::string> readScript(const std::string& path);

    void queue(const std::string& answer);
    // Something the user does while the program handles pending events, such
    // as a second click on a toolbar button: it happens at the next
    // processEvents, once.
    void atNextEvents(std::function<void()> event);

    const std::vector<std::string>& record() const noexcept { return record_; }
    bool metUnexpected() const noexcept { return unexpected_; }
    std::size_t eventsProcessed() const noexcept { return events_; }
    std::size_t answersLeft() const noexcept { return answers_.size(); }

    int messageBox(const MessageBoxRequest& request) override;
    void showModal(Form& form) override;
    void processEvents() override;
    bool openDocument(const std::string& path) override;

private:
    // Takes the next answer if it starts with `kind`; `result` gets its words
    // after the kind.
    bool takeAnswer(const std::string& kind, std::vector<std::string>& result);
    // Performs one answer on a shown window; false when it does not fit.
    bool answerChoice(Form& form, const std::vector<std::string>& words);
    bool answerQuestion(Form& form, const std::vector<std::string>& words);
    std::string describe(const Form& form) const;

    std::deque<std::string> answers_;
    std::deque<std::function<void()>> pendingEvents_;
    std::vector<std::string> record_;
    bool unexpected_ = false;
    std::size_t events_ = 0;
};

// A text as the record shows it: C-style quoted (win32::quoted).
std::string quoted(const std::string& text);

}  // namespace runtime
