#include "Resources.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace Sim {
namespace {

struct Token {
    enum Kind { Tag, Number, String, Ident, Symbol, End } kind = End;
    std::string text;
    long number = 0;
    int line = 0;
};

class Lexer {
public:
    Lexer(const std::string& text, const std::string& origin) : text_(text), origin_(origin) {}

    Token Next()
    {
        SkipSpaceAndComments();
        Token token;
        token.line = line_;
        if (pos_ >= text_.size())
            return token;
        char c = text_[pos_];
        if (c == '\'') {
            size_t end = text_.find('\'', pos_ + 1);
            if (end == std::string::npos || end - pos_ - 1 != 4)
                Fail("a resource type must be four characters in single quotes");
            token.kind = Token::Tag;
            token.text = text_.substr(pos_ + 1, 4);
            pos_ = end + 1;
        } else if (c == '"') {
            token.kind = Token::String;
            token.text = ReadString();
        } else if (std::isdigit(static_cast<unsigned char>(c)) || (c == '-' && pos_ + 1 < text_.size() &&
                                                                    std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
            size_t start = pos_++;
            while (pos_ < text_.size() && std::isalnum(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            token.kind = Token::Number;
            token.text = text_.substr(start, pos_ - start);
            try {
                token.number = std::stol(token.text, nullptr, 0);
            } catch (const std::exception&) {
                Fail("bad number " + token.text);
            }
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t start = pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
                ++pos_;
            token.kind = Token::Ident;
            token.text = text_.substr(start, pos_ - start);
        } else if (c == '{' || c == '}' || c == '|' || c == ',') {
            token.kind = Token::Symbol;
            token.text = std::string(1, c);
            ++pos_;
        } else {
            Fail(std::string("unexpected character '") + c + "'");
        }
        return token;
    }

    [[noreturn]] void Fail(const std::string& problem) const { FailAt(line_, problem); }
    [[noreturn]] void FailAt(int line, const std::string& problem) const
    {
        throw std::runtime_error(origin_ + ":" + std::to_string(line) + ": " + problem);
    }

private:
    void SkipSpaceAndComments()
    {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (text_.compare(pos_, 2, "/*") == 0) {
                size_t end = text_.find("*/", pos_ + 2);
                if (end == std::string::npos)
                    Fail("unterminated comment");
                line_ += static_cast<int>(std::count(text_.begin() + static_cast<long>(pos_), text_.begin() + static_cast<long>(end), '\n'));
                pos_ = end + 2;
            } else if (text_.compare(pos_, 2, "//") == 0 || (c == '#' )) {
                // Line comments and preprocessor line markers.
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    std::string ReadString()
    {
        std::string value;
        ++pos_;
        while (true) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                Fail("unterminated string");
            char c = text_[pos_++];
            if (c == '"')
                break;
            if (c == '\\' && pos_ < text_.size()) {
                char e = text_[pos_++];
                value += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else {
                value += c;
            }
        }
        return value;
    }

    const std::string& text_;
    std::string origin_;
    size_t pos_ = 0;
    int line_ = 1;
};

const std::set<std::string> itemKinds = {"Browser",  "Button",     "IconButton", "LeftText",  "CenterText",
                                         "RightText", "RadioButton", "CheckBox",  "ProgressBar", "Separator",
                                         "TextEdit", "UserControl", "GroupBox",   "Icon"};

}  // namespace

void ResourceSet::Parse(const std::string& text, const std::string& origin)
{
    Lexer lexer(text, origin);
    Token token = lexer.Next();
    auto expect = [&](Token::Kind kind, const char* what) {
        if (token.kind != kind)
            lexer.Fail(std::string("expected ") + what + (token.text.empty() ? "" : ", found '" + token.text + "'"));
        Token current = token;
        token = lexer.Next();
        return current;
    };
    auto isSymbol = [&](const char* s) { return token.kind == Token::Symbol && token.text == s; };

    while (token.kind != Token::End) {
        const int resourceLine = token.line;  // where a resource defined twice is reported
        const std::string type = expect(Token::Tag, "a resource type such as 'STR#'").text;
        // The kit's resource compiler refuses the compiled type's name in a source; so does this reader.
        if (type == "STRS")
            lexer.FailAt(resourceLine, "'STRS' is the compiled type of a string list; its source type is 'STR#'");
        const Int32 id = static_cast<Int32>(expect(Token::Number, "a resource number").number);
        if (type == "STR#") {
            if (token.kind == Token::String)
                token = lexer.Next();  // the list's title
            expect(Token::Symbol, "'{'");
            std::vector<std::string> list;
            while (!isSymbol("}"))
                list.push_back(expect(Token::String, "a string or '}'").text);
            token = lexer.Next();
            if (strings_.count(id))
                lexer.FailAt(resourceLine, "STR# " + std::to_string(id) + " is defined twice");
            strings_[id] = std::move(list);
        } else if (type == "GDLG") {
            DialogResource dialog;
            dialog.id = id;
            while (token.kind == Token::Ident || isSymbol("|")) {
                if (token.kind == Token::Ident)
                    dialog.flags.push_back(token.text);
                token = lexer.Next();
            }
            dialog.x = static_cast<Int32>(expect(Token::Number, "the dialog's left").number);
            dialog.y = static_cast<Int32>(expect(Token::Number, "the dialog's top").number);
            dialog.width = static_cast<Int32>(expect(Token::Number, "the dialog's width").number);
            dialog.height = static_cast<Int32>(expect(Token::Number, "the dialog's height").number);
            dialog.caption = expect(Token::String, "the dialog's caption").text;
            expect(Token::Symbol, "'{'");
            while (!isSymbol("}")) {
                if (token.kind != Token::Ident || itemKinds.count(token.text) == 0)
                    lexer.Fail("expected a dialog item kind, found '" + token.text + "'");
                DialogItemResource item;
                item.kind = token.text;
                const int itemLine = token.line;
                token = lexer.Next();
                std::vector<long> numbers;
                bool wordAfterRect = false;
                bool namedIcon = false;  // an icon given by a name (NoIcon, DG_WARNING_ICON, ...) instead of a number
                // An item is one line: a word that starts another line is the next item's kind (so an
                // unknown kind is refused instead of being taken as a style word of the item before).
                while (!isSymbol("}") && !(token.kind == Token::Ident && (itemKinds.count(token.text) || token.line != itemLine))) {
                    if (token.kind == Token::End)
                        lexer.Fail("unterminated dialog");
                    if (token.kind == Token::Number)
                        numbers.push_back(token.number);
                    else if (token.kind == Token::String)
                        item.text = token.text;
                    if (token.kind == Token::Ident && numbers.size() == 4 && !wordAfterRect) {
                        wordAfterRect = true;
                        namedIcon = token.text != "frame" && token.text != "noFrame";
                    }
                    token = lexer.Next();
                }
                if (numbers.size() < 4)
                    lexer.FailAt(itemLine, item.kind + " item needs its left, top, width and height");
                // The arguments without which the kit's resource compiler reports the item as missing.
                if (item.kind == "IconButton" && numbers.size() < 5 && !namedIcon)
                    lexer.FailAt(itemLine, "IconButton item needs its icon");
                if (item.kind == "RadioButton" && numbers.size() < 5)
                    lexer.FailAt(itemLine, "RadioButton item needs its group");
                if (item.kind == "ProgressBar" && numbers.size() < 6)
                    lexer.FailAt(itemLine, "ProgressBar item needs its minimum and maximum");
                item.x = static_cast<Int32>(numbers[0]);
                item.y = static_cast<Int32>(numbers[1]);
                item.width = static_cast<Int32>(numbers[2]);
                item.height = static_cast<Int32>(numbers[3]);
                if (numbers.size() > 4 && item.kind == "IconButton")
                    item.icon = static_cast<Int32>(numbers[4]);
                if (numbers.size() > 4 && item.kind == "RadioButton")
                    item.group = static_cast<Int32>(numbers[4]);
                dialog.items.push_back(std::move(item));
            }
            token = lexer.Next();
            if (dialogs_.count(id))
                lexer.FailAt(resourceLine, "GDLG " + std::to_string(id) + " is defined twice");
            dialogs_[id] = std::move(dialog);
        } else if (type == "DLGH") {
            dialogLayoutNames_[id] = expect(Token::Ident, "the layout name").text;
            expect(Token::Symbol, "'{'");
            while (!isSymbol("}")) {
                Int32 number = static_cast<Int32>(expect(Token::Number, "an item number").number);
                if (token.kind == Token::String)
                    token = lexer.Next();  // the item's help text
                dialogNames_[id].emplace_back(number, expect(Token::Ident, "the item name").text);
            }
            token = lexer.Next();
        } else if (type == "MDID") {
            if (token.kind == Token::String)
                token = lexer.Next();
            expect(Token::Symbol, "'{'");
            std::vector<Int32> values;
            while (!isSymbol("}"))
                values.push_back(static_cast<Int32>(expect(Token::Number, "a number").number));
            token = lexer.Next();
            identities_[id] = values;
        } else {
            // Icons keep the name of their image (the last text); other kinds are only passed over.
            std::string content;
            if (token.kind == Token::String)
                token = lexer.Next();
            expect(Token::Symbol, "'{'");
            while (!isSymbol("}")) {
                if (token.kind == Token::End)
                    lexer.Fail("unterminated resource " + type);
                if (token.kind == Token::String)
                    content = token.text;
                token = lexer.Next();
            }
            token = lexer.Next();
            if (type == "GICN")
                icons_[id] = content;
        }
    }
    for (auto& [id, dialog] : dialogs_) {
        if (dialogLayoutNames_.count(id))
            dialog.name = dialogLayoutNames_[id];
        for (const auto& [number, name] : dialogNames_[id])
            if (number >= 1 && static_cast<size_t>(number) <= dialog.items.size())
                dialog.items[static_cast<size_t>(number) - 1].name = name;
    }
}

ResourceSet ResourceSet::LoadDirectory(const std::string& directory)
{
    namespace fs = std::filesystem;
    ResourceSet set;
    std::error_code ec;
    const fs::path folder = PathFromUtf8(directory);
    if (!fs::is_directory(folder, ec))
        throw std::runtime_error(directory + ": resource folder not found");
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".grc")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            throw std::runtime_error(PathUtf8(file) + ": cannot be read");
        std::stringstream buffer;
        buffer << in.rdbuf();
        set.Parse(buffer.str(), PathUtf8(file));
    }
    return set;
}

const std::vector<std::string>* ResourceSet::Strings(Int32 id) const
{
    auto it = strings_.find(id);
    return it == strings_.end() ? nullptr : &it->second;
}

const DialogResource* ResourceSet::Dialog(Int32 id) const
{
    auto it = dialogs_.find(id);
    return it == dialogs_.end() ? nullptr : &it->second;
}

const std::string* ResourceSet::IconImage(Int32 id) const
{
    auto it = icons_.find(id);
    return it == icons_.end() ? nullptr : &it->second;
}

const std::vector<Int32>* ResourceSet::Identity(Int32 id) const
{
    auto it = identities_.find(id);
    return it == identities_.end() ? nullptr : &it->second;
}

}  // namespace Sim
