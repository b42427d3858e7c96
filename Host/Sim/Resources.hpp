// The add-on's resources as the host reads them: the module's .grc resource definitions in the kit's
// resource language, preprocessed at build time like the kit's resource compiler input. String lists
// (STR#), dialog and palette layouts (GDLG) with their item names (DLGH), icons (GICN) and the add-on
// identity (MDID).
#pragma once

#include "Definitions.hpp"

#include <map>
#include <string>
#include <vector>

namespace Sim {

struct DialogItemResource {
    std::string kind;                 // Button, Browser, IconButton, LeftText, RadioButton, ProgressBar, ...
    Int32 x = 0, y = 0, width = 0, height = 0;
    std::string text;                 // the item's text, when it has one
    Int32 icon = 0;                   // icon buttons: the icon resource
    Int32 group = 0;                  // radio buttons: the group number
    std::string name;                 // from the matching DLGH entry
};

struct DialogResource {
    Int32 id = 0;
    std::vector<std::string> flags;   // Palette, Modal, topCaption, close, grow, ...
    Int32 x = 0, y = 0, width = 0, height = 0;
    std::string caption;
    std::string name;                 // the DLGH name
    std::vector<DialogItemResource> items;  // item 1 is items[0]
};

class ResourceSet {
public:
    // Reads every .grc file of `directory`. Throws std::runtime_error naming the file, the line and the
    // problem when a file cannot be read or parsed.
    static ResourceSet LoadDirectory(const std::string& directory);
    // Parses one preprocessed .grc text; `origin` names it in errors.
    void Parse(const std::string& text, const std::string& origin);

    const std::vector<std::string>* Strings(Int32 id) const;
    const DialogResource* Dialog(Int32 id) const;
    const std::vector<Int32>* Identity(Int32 id) const;
    bool HasIcon(Int32 id) const { return icons_.count(id) != 0; }
    // The image an icon names (the resource compiler looks for it as <name>_<w>x<h>.svg); null when the
    // icon is not defined.
    const std::string* IconImage(Int32 id) const;

private:
    std::map<Int32, std::vector<std::string>> strings_;
    std::map<Int32, DialogResource> dialogs_;
    std::map<Int32, std::vector<std::pair<Int32, std::string>>> dialogNames_;  // DLGH: item number, name
    std::map<Int32, std::string> dialogLayoutNames_;
    std::map<Int32, std::vector<Int32>> identities_;
    std::map<Int32, std::string> icons_;
};

}  // namespace Sim
