#include "Transcript.hpp"

namespace Sim {

void Transcript::Record(const std::string& kind, nlohmann::ordered_json fields)
{
    if (!recording_)
        return;
    // Debug output makes most of a long run's events: fields are moved, not copied.
    nlohmann::ordered_json event = nlohmann::ordered_json::object();
    event["kind"] = kind;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        event[it.key()] = std::move(it.value());
    events_.push_back(std::move(event));
}

std::vector<nlohmann::ordered_json> Transcript::EventsOfKind(const std::string& kind) const
{
    std::vector<nlohmann::ordered_json> result;
    for (const auto& event : events_)
        if (event.value("kind", "") == kind)
            result.push_back(event);
    return result;
}

std::string Transcript::ToJsonLines() const
{
    std::string text;
    for (const auto& event : events_)
        text += event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    return text;
}

}  // namespace Sim
