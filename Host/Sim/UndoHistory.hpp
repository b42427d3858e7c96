// The user's undo history, as Archicad keeps it: each user action on the model and each undoable command of
// an add-on is one step, and what an add-on writes while the host tells it of a user action (an element
// notification) belongs to that action's step. Undo gives back the whole last step, redo makes it again.
//
// A step keeps what the undoable modifiers change: elements (their settings, user data, classification and
// property values), the classification and property values of attributes, the property groups and
// definitions, and the classification systems with their items. The non-undoable modifiers (attributes
// themselves, attribute user data, module data, the library) are not kept: undo leaves them as they are.
//
// Every undoable modifier names its target through one of the WillChange functions before it changes it;
// a step keeps the target's state from before its first change in the step. Undoing swaps that state with
// the present one, so the same entry then holds what redo gives back. Outside a step (a write while the
// host reports an undo, or a test writing directly) nothing is kept.
#pragma once

#include "APIdefs_Attributes.h"
#include "Model/Project.hpp"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Sim {

class Host;

// What undoing or redoing a step did to one element, for the notifications the host raises about it.
struct ElementReplay {
    enum class Kind { Created, Modified, Deleted };  // what the step did, whichever way it was replayed
    Kind kind = Kind::Modified;
    API_Guid guid{};
    API_ElemTypeID type = API_ZombieElemID;
    bool present = true;  // whether the element is in the project after the replay
};

class UndoHistory {
public:
    // How many steps the history keeps; the oldest is forgotten when another one comes.
    static constexpr size_t Depth = 20;

    // Steps do not nest: an Open while a step is open joins it, and only the matching outermost Close
    // ends it. Ending a step forgets what was undone before it.
    void Open(const std::string& name);
    void Close();
    bool IsOpen() const { return openDepth_ > 0; }

    void WillChangeElement(const Project& project, const API_Guid& guid);
    void WillChangeAttachedData(API_AttrTypeID type, Int32 index, const Project& project);
    void WillChangeProperties(const Project& project);
    void WillChangeClassifications(const Project& project);

    // The name of the step undone or redone, with what happened to its elements; nothing when there is
    // no step to replay.
    std::optional<std::string> Undo(Project& project, std::vector<ElementReplay>* elements);
    std::optional<std::string> Redo(Project& project, std::vector<ElementReplay>* elements);

    size_t UndoCount() const { return undo_.size(); }
    size_t RedoCount() const { return redo_.size(); }

private:
    struct ElementEntry {
        API_Guid guid{};
        size_t position = 0;  // in the listing order, where a removed element goes back
        std::optional<Model::Element> kept;  // absent: the element did not exist
    };
    struct AttachedEntry {
        API_AttrTypeID type = API_ZombieAttrID;
        Int32 index = 0;
        Model::AttachedData kept;
    };
    struct Step {
        std::string name;
        std::vector<ElementEntry> elements;
        std::map<API_Guid, size_t> elementAt;  // entry of each element kept
        std::vector<AttachedEntry> attached;
        std::map<std::pair<Int32, Int32>, size_t> attachedAt;
        std::optional<Model::Properties> properties;
        std::optional<Model::Classifications> classifications;
    };

    // Swaps every kept state with the project's; `undoing` walks the entries last to first.
    static void Swap(Step& step, Project& project, bool undoing, std::vector<ElementReplay>* elements);
    // Takes the last step of `from`, swaps it with the project and keeps it last in `to`; its name.
    std::optional<std::string> Replay(std::vector<Step>& from, std::vector<Step>& to, bool undoing, Project& project,
                                      std::vector<ElementReplay>* elements);
    Step* Recording() { return IsOpen() ? open_.get() : nullptr; }

    std::vector<Step> undo_;  // oldest first
    std::vector<Step> redo_;  // the last one undone last
    std::unique_ptr<Step> open_;
    int openDepth_ = 0;
};

UndoHistory& TheUndoHistory(Host& host);

// For the host's functions: the current host's history and project. Nothing happens without a host.
void WillChangeElement(const API_Guid& guid);
void WillChangeAttachedData(API_AttrTypeID type, Int32 index);
void WillChangeProperties();
void WillChangeClassifications();

}  // namespace Sim
