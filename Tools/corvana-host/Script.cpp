#include "Script.hpp"

#include "ElementActions.hpp"
#include "ErrorNames.hpp"
#include "Options.hpp"
#include "SimUtf8.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <sstream>

namespace CorvanaHost {
namespace {

using Sim::Json::ObjectReader;
using Sim::Json::Reader;
using Sim::Json::Value;

const char* const stepKinds[] = {"call", "answer", "dialog", "cancelProcess", "menu", "palette", "open",
                                 "place", "copy", "change", "edit", "delete", "setIfcName", "undo", "redo"};

// Members besides the step's own.
std::vector<std::string> MembersOf(const std::string& kind)
{
    if (kind == "call")
        return {"call", "text", "textFile", "number", "array"};
    if (kind == "change")
        return {"change", "fields"};
    if (kind == "edit")
        return {"edit", "offset"};
    if (kind == "setIfcName")
        return {"setIfcName", "name"};
    return {kind};
}

std::string ReadTarget(const Reader& member, size_t stepIndex, const std::vector<ScriptStep>& earlier)
{
    const std::string text = member.String();
    if (!text.empty() && text[0] == '@') {
        size_t used = 0;
        long step = 0;
        try {
            step = std::stol(text.substr(1), &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used + 1 != text.size() || step < 1 || static_cast<size_t>(step) >= stepIndex + 1)
            member.Fail("\"" + text + "\" names no earlier step (\"@N\", N from 1)");
        const std::string& kind = earlier[static_cast<size_t>(step) - 1].kind;
        if (kind != "place" && kind != "copy")
            member.Fail("step " + std::to_string(step) + " places or copies no element");
        return text;
    }
    if (text.size() != 36 || GS::Guid(text.c_str()).IsNull())
        member.Fail("\"" + text + "\" is neither a GUID nor \"@N\"");
    return text;
}

// A page payload kept in a file of its own, as `call --text-file` takes one. Read with the script, so that a
// missing payload stops the script before the host starts.
std::string ReadTextFile(const Reader& member, const std::filesystem::path& scriptFolder)
{
    const std::filesystem::path given = std::filesystem::u8path(member.String());
    const std::filesystem::path path = given.is_absolute() ? given : scriptFolder / given;
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(path, ec))
        member.Fail(Sim::PathUtf8(path) + " cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScriptStep ReadStep(const Reader& item, size_t index, const std::vector<ScriptStep>& earlier,
                    const std::filesystem::path& scriptFolder)
{
    if (!item.Raw().is_object())
        item.Fail("a step is a JSON object");
    ScriptStep step;
    for (const char* kind : stepKinds)
        if (item.Raw().contains(kind) && step.kind.empty())
            step.kind = kind;
    if (step.kind.empty())
        item.Fail("a step has one of the members \"call\", \"answer\", \"dialog\", \"cancelProcess\", \"menu\", "
                  "\"palette\", \"open\", \"place\", \"copy\", \"change\", \"edit\", \"delete\", \"setIfcName\", "
                  "\"undo\", \"redo\"");
    ObjectReader object = item.Object(MembersOf(step.kind));
    Reader own = object.Required(step.kind.c_str());

    if (step.kind == "call") {
        step.function = own.String();
        int given = 0;
        if (auto text = object.Optional("text")) {
            step.argument.kind = PageArgument::Text;
            step.argument.text = text->String();
            ++given;
        }
        if (auto file = object.Optional("textFile")) {
            step.argument.kind = PageArgument::Text;
            step.argument.text = ReadTextFile(*file, scriptFolder);
            ++given;
        }
        if (auto number = object.Optional("number")) {
            step.argument.kind = PageArgument::Number;
            step.argument.number = number->Number();
            ++given;
        }
        if (auto array = object.Optional("array")) {
            step.argument.kind = PageArgument::Texts;
            for (const auto& text : array->Array())
                step.argument.texts.push_back(text.String());
            ++given;
        }
        if (given > 1)
            item.Fail("a call takes at most one of \"text\", \"textFile\", \"number\" and \"array\"");
    } else if (step.kind == "answer" || step.kind == "open") {
        step.text = own.String();
    } else if (step.kind == "dialog") {
        step.text = own.String();
        if (step.text != "library" && step.text != "model" && step.text != "cancel")
            own.Fail("a dialog choice is \"library\", \"model\" or \"cancel\"");
    } else if (step.kind == "cancelProcess") {
        step.first = own.Integer(1, INT32_MAX);
    } else if (step.kind == "menu" || step.kind == "palette") {
        auto pair = own.Array();
        if (pair.size() != 2)
            own.Fail(step.kind == "menu" ? "a menu step is [RES, ITEM]" : "a palette step is [REF, CODE]");
        if (step.kind == "menu") {
            step.first = pair[0].Integer(1, INT16_MAX);
            step.second = pair[1].Integer(1, INT32_MAX);
        } else {
            step.first = pair[0].Integer(INT32_MIN, INT32_MAX);
            step.second = pair[1].Integer(APIPalMsg_ClosePalette, APIPalMsg_IsPaletteVisible);
        }
    } else if (step.kind == "place") {
        if (!own.Raw().is_object())
            own.Fail("the element to place is a JSON object, as the project file holds one");
        step.element = own.Raw();
    } else if (step.kind == "undo" || step.kind == "redo") {
        if (!own.Bool())
            own.Fail("write \"" + step.kind + "\": true");
    } else {
        step.target = ReadTarget(own, index, earlier);
        if (step.kind == "change") {
            Reader fields = object.Required("fields");
            if (!fields.Raw().is_object())
                fields.Fail("the fields to change are a JSON object");
            step.element = fields.Raw();
        } else if (step.kind == "edit") {
            auto offset = object.Required("offset").Array();
            if (offset.size() != 3)
                object.Required("offset").Fail("an offset is [dx, dy, dz]");
            step.offset = {offset[0].Number(), offset[1].Number(), offset[2].Number()};
        } else if (step.kind == "setIfcName") {
            step.text = object.Required("name").String();
        }
    }
    return step;
}

class ScriptRunner {
public:
    explicit ScriptRunner(CommandContext& context) : host_(context.session.GetHost()) {}

    bool Run(size_t index, const ScriptStep& step, Value& line)
    {
        if (step.kind == "call")
            return RunCall(step, line);
        if (step.kind == "answer") {
            host_.QueueAlertAnswer(step.text);
            line["queued"] = true;
            return true;
        }
        if (step.kind == "dialog") {
            host_.SetDialogChoice(step.text);
            line["set"] = true;
            return true;
        }
        if (step.kind == "cancelProcess") {
            host_.SetCancelProcessAt(static_cast<Int32>(step.first));
            line["set"] = true;
            return true;
        }
        if (step.kind == "menu") {
            GSErrCode result = host_.SelectMenu(static_cast<short>(step.first), static_cast<Int32>(step.second));
            line["result"] = Sim::DescribeError(result);
            return host_.GetRegistry().menuHandlers.count(static_cast<short>(step.first)) != 0;
        }
        if (step.kind == "palette") {
            bool flag = false;
            GSErrCode result = host_.SendPaletteMessage(static_cast<Int32>(step.first),
                                                        static_cast<API_PaletteMessageID>(step.second), &flag);
            line["result"] = Sim::DescribeError(result);
            if (step.second == APIPalMsg_IsPaletteVisible)
                line["visible"] = flag;
            return host_.GetRegistry().FindWindow(static_cast<Int32>(step.first)) != nullptr;
        }
        if (step.kind == "open") {
            std::string problem;
            // The user drops the file on the project: the host merges it, with the file type's handler.
            GSErrCode result = host_.FamilyState<Sim::UserInterface>().OpenFile(step.text, IO_MERGE, &problem);
            line["result"] = Sim::DescribeError(result);
            return Outcome(problem.empty(), problem, line);
        }
        return RunAction(index, step, line);
    }

private:
    bool RunCall(const ScriptStep& step, Value& line)
    {
        Sim::JsCallResult result = CallPage(host_, step.function, step.argument);
        if (!result.called)
            return Outcome(false, result.problem, line);
        line["reply"] = ReplyJson(result.reply);
        return true;
    }

    bool RunAction(size_t index, const ScriptStep& step, Value& line)
    {
        Sim::ElementActions actions(host_);
        std::string problem;
        API_Guid guid{};
        if (!step.target.empty() && !Resolve(step.target, guid, problem))
            return Outcome(false, problem, line);
        bool done = false;
        API_Guid made{};
        if (step.kind == "place")
            done = actions.Place(step.element, &made, &problem);
        else if (step.kind == "copy")
            done = actions.Copy(guid, &made, &problem);
        else if (step.kind == "change")
            done = actions.Change(guid, step.element, &problem);
        else if (step.kind == "edit")
            done = actions.Edit(guid, step.offset, &problem);
        else if (step.kind == "delete")
            done = actions.Delete(guid, &problem);
        else if (step.kind == "setIfcName")
            done = actions.SetIfcName(guid, step.text, &problem);
        else if (step.kind == "undo")
            done = actions.Undo(&problem);
        else if (step.kind == "redo")
            done = actions.Redo(&problem);
        if (done && made != APINULLGuid) {
            made_[index + 1] = made;
            line["guid"] = Sim::Utf8(APIGuidToString(made));
        }
        return Outcome(done, problem, line);
    }

    bool Resolve(const std::string& target, API_Guid& guid, std::string& problem)
    {
        if (target[0] != '@') {
            guid = APIGuidFromString(target.c_str());
            return true;
        }
        const size_t step = std::stoul(target.substr(1));
        auto it = made_.find(step);
        if (it == made_.end()) {
            problem = "step " + std::to_string(step) + " made no element";
            return false;
        }
        guid = it->second;
        return true;
    }

    static bool Outcome(bool done, const std::string& problem, Value& line)
    {
        line["done"] = done;
        if (!done)
            line["problem"] = problem;
        return done;
    }

    Sim::Host& host_;
    std::map<size_t, API_Guid> made_;
};

}  // namespace

std::vector<ScriptStep> ReadScript(const std::string& path)
{
    std::ifstream in(Sim::PathFromUtf8(path), std::ios::binary);
    if (!in)
        throw UsageError(path + ": cannot be read");
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::vector<ScriptStep> steps;
    const std::filesystem::path scriptFolder = std::filesystem::absolute(std::filesystem::u8path(path)).parent_path();
    try {
        Value document = Sim::Json::ParseStrict(buffer.str());
        Reader root(document, "");
        auto items = root.Array();
        for (size_t i = 0; i < items.size(); ++i)
            steps.push_back(ReadStep(items[i], i, steps, scriptFolder));
    } catch (const Sim::Json::Error& e) {
        throw UsageError(path + ": " + e.Place() + ": " + e.Problem());
    }
    return steps;
}

int RunScript(CommandContext& context, const std::vector<ScriptStep>& steps)
{
    ConsoleToStderr console(context.out);
    ScriptRunner runner(context);
    bool allDone = true;
    auto& transcript = context.session.GetHost().GetTranscript();
    for (size_t i = 0; i < steps.size(); ++i) {
        const ScriptStep& step = steps[i];
        Value line = Value::object();
        line["step"] = i + 1;
        line["kind"] = step.kind;
        const size_t before = transcript.Events().size();
        if (!runner.Run(i, step, line))
            allDone = false;
        Value shown = Value::array();
        const auto& events = transcript.Events();
        for (size_t e = before; e < events.size(); ++e)
            shown.push_back(events[e]);
        line["shown"] = shown;
        console.Out() << line.dump(-1, ' ', false, Value::error_handler_t::replace) << "\n";
    }
    return allDone ? 0 : 1;
}

}  // namespace CorvanaHost
