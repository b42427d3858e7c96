#include "UndoHistory.hpp"

#include "Host.hpp"

#include <utility>

namespace Sim {

void UndoHistory::Open(const std::string& name)
{
    if (openDepth_++ > 0)
        return;
    open_ = std::make_unique<Step>();
    open_->name = name;
}

void UndoHistory::Close()
{
    if (openDepth_ == 0 || --openDepth_ > 0)
        return;
    undo_.push_back(std::move(*open_));
    open_.reset();
    if (undo_.size() > Depth)
        undo_.erase(undo_.begin());
    redo_.clear();
}

void UndoHistory::WillChangeElement(const Project& project, const API_Guid& guid)
{
    Step* step = Recording();
    if (step == nullptr || step->elementAt.count(guid) != 0)
        return;
    ElementEntry entry;
    entry.guid = guid;
    entry.position = project.elements.PositionOf(guid);
    if (const Model::Element* element = project.elements.Find(guid))
        entry.kept = *element;
    step->elementAt.emplace(guid, step->elements.size());
    step->elements.push_back(std::move(entry));
}

void UndoHistory::WillChangeAttachedData(API_AttrTypeID type, Int32 index, const Project& project)
{
    Step* step = Recording();
    const std::pair<Int32, Int32> key(static_cast<Int32>(type), index);
    if (step == nullptr || step->attachedAt.count(key) != 0)
        return;
    const Model::AttributeCommon* attribute = project.attributes.Find(type, index);
    if (attribute == nullptr)
        return;
    step->attachedAt.emplace(key, step->attached.size());
    step->attached.push_back({type, index, attribute->attached});
}

void UndoHistory::WillChangeProperties(const Project& project)
{
    if (Step* step = Recording(); step != nullptr && !step->properties)
        step->properties = project.properties;
}

void UndoHistory::WillChangeClassifications(const Project& project)
{
    if (Step* step = Recording(); step != nullptr && !step->classifications)
        step->classifications = project.classifications;
}

void UndoHistory::Swap(Step& step, Project& project, bool undoing, std::vector<ElementReplay>* elements)
{
    auto swapElement = [&](ElementEntry& entry) {
        Model::Element* current = project.elements.Find(entry.guid);
        ElementReplay replay;
        replay.guid = entry.guid;
        if (current != nullptr && entry.kept) {
            replay.type = current->type;
            std::swap(*current, *entry.kept);
        } else if (current != nullptr) {
            // Gone again: it was made by the step when undoing, removed by it when redoing.
            replay.kind = undoing ? ElementReplay::Kind::Created : ElementReplay::Kind::Deleted;
            replay.type = current->type;
            replay.present = false;
            entry.position = project.elements.PositionOf(entry.guid);
            entry.kept = std::move(*current);
            project.elements.Remove(entry.guid);
        } else if (entry.kept) {
            replay.kind = undoing ? ElementReplay::Kind::Deleted : ElementReplay::Kind::Created;
            replay.type = entry.kept->type;
            project.elements.Insert(entry.position, std::move(*entry.kept));
            entry.kept.reset();
        } else {
            return;  // neither before nor after: nothing to give back
        }
        if (elements != nullptr)
            elements->push_back(replay);
    };
    // Later changes rest on earlier ones: undo walks back, redo forward.
    if (undoing)
        for (auto it = step.elements.rbegin(); it != step.elements.rend(); ++it)
            swapElement(*it);
    else
        for (auto& entry : step.elements)
            swapElement(entry);
    for (auto& entry : step.attached)
        if (Model::AttributeCommon* attribute = project.attributes.Find(entry.type, entry.index))
            std::swap(attribute->attached, entry.kept);
    if (step.properties)
        std::swap(project.properties, *step.properties);
    if (step.classifications)
        std::swap(project.classifications, *step.classifications);
}

std::optional<std::string> UndoHistory::Replay(std::vector<Step>& from, std::vector<Step>& to, bool undoing,
                                               Project& project, std::vector<ElementReplay>* elements)
{
    if (IsOpen() || from.empty())
        return std::nullopt;
    Step step = std::move(from.back());
    from.pop_back();
    Swap(step, project, undoing, elements);
    to.push_back(std::move(step));
    return to.back().name;
}

std::optional<std::string> UndoHistory::Undo(Project& project, std::vector<ElementReplay>* elements)
{
    return Replay(undo_, redo_, true, project, elements);
}

std::optional<std::string> UndoHistory::Redo(Project& project, std::vector<ElementReplay>* elements)
{
    return Replay(redo_, undo_, false, project, elements);
}

UndoHistory& TheUndoHistory(Host& host) { return host.FamilyState<UndoHistory>(); }

void WillChangeElement(const API_Guid& guid)
{
    if (HasHost())
        TheUndoHistory(TheHost()).WillChangeElement(TheHost().GetProject(), guid);
}

void WillChangeAttachedData(API_AttrTypeID type, Int32 index)
{
    if (HasHost())
        TheUndoHistory(TheHost()).WillChangeAttachedData(type, index, TheHost().GetProject());
}

void WillChangeProperties()
{
    if (HasHost())
        TheUndoHistory(TheHost()).WillChangeProperties(TheHost().GetProject());
}

void WillChangeClassifications()
{
    if (HasHost())
        TheUndoHistory(TheHost()).WillChangeClassifications(TheHost().GetProject());
}

}  // namespace Sim
