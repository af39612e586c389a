#include "platform/office/bars/BarControl.h"

#include <algorithm>
#include <utility>

namespace office {

BarControl::BarControl(Properties properties, Origin origin, Lifetime lifetime)
    : properties_(std::move(properties)), origin_(origin), lifetime_(lifetime) {}

void BarControl::connect(CommandBarButton& reference, ButtonClickSink* sink) {
    disconnect(reference);
    if (sink) connections_.push_back({&reference, sink});
}

void BarControl::disconnect(const CommandBarButton& reference) noexcept {
    std::erase_if(connections_, [&](const Connection& c) { return c.reference == &reference; });
}

ClickOutcome BarControl::click() {
    // The references stay alive through the calls even if a sink lets go of
    // its last one meanwhile.
    std::vector<std::pair<com::Ref<CommandBarButton>, ButtonClickSink*>> called;
    called.reserve(connections_.size());
    for (const Connection& c : connections_) called.emplace_back(com::Ref<CommandBarButton>(c.reference), c.sink);

    ClickOutcome outcome;
    for (const auto& call : called) {
        // Named references, not a structured binding: clang before 16 cannot
        // capture a binding in the lambda below.
        const com::Ref<CommandBarButton>& reference = call.first;
        ButtonClickSink* const sink = call.second;
        const bool stillConnected = std::any_of(connections_.begin(), connections_.end(), [&](const Connection& c) {
            return c.reference == reference.get() && c.sink == sink;
        });
        if (!stillConnected) continue;
        // One sink's failure is its own: the others still hear of the click.
        const com::HRESULT result = sink->Click(*reference, outcome.cancelDefault);
        if (!com::succeeded(result) && com::succeeded(outcome.result)) outcome.result = result;
    }
    return outcome;
}

}  // namespace office
