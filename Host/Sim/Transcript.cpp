#include "Transcript.hpp"

namespace Sim {

void Transcript::Record(const std::string& kind, nlohmann::ordered_json fields)
{
    if (!recording_)
        return;
    MakeDebugEvents();
    nlohmann::ordered_json event = nlohmann::ordered_json::object();
    event["kind"] = kind;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        event[it.key()] = std::move(it.value());
    events_.push_back(std::move(event));
}

void Transcript::RecordDebugLine(std::string line)
{
    if (recording_)
        debugLines_.push_back(std::move(line));
}

void Transcript::MakeDebugEvents() const
{
    for (std::string& line : debugLines_) {
        nlohmann::ordered_json event = nlohmann::ordered_json::object();
        event["kind"] = "debug";
        event["text"] = std::move(line);
        events_.push_back(std::move(event));
    }
    debugLines_.clear();
}

const std::vector<nlohmann::ordered_json>& Transcript::Events() const
{
    MakeDebugEvents();
    return events_;
}

std::vector<nlohmann::ordered_json> Transcript::EventsOfKind(const std::string& kind) const
{
    std::vector<nlohmann::ordered_json> result;
    for (const auto& event : Events())
        if (event.value("kind", "") == kind)
            result.push_back(event);
    return result;
}

std::string Transcript::ToJsonLines() const
{
    std::string text;
    for (const auto& event : Events())
        text += event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    return text;
}

}  // namespace Sim
