// A catalogue product delivered as a single library part file.
#pragma once

#include "Parsing/Items/CorvanaProductItem.hpp"
#include "Parsing/Items/LibraryPart.hpp"

namespace QRV {

class CorvanaLibraryPart : public CorvanaProductItem<LibraryPart>, public virtual BaseItem {
public:
    CorvanaLibraryPart() : CorvanaProductItem<LibraryPart>("gsm") {}
    CorvanaLibraryPart(const CorvanaLibraryPart&) = default;
    CorvanaLibraryPart& operator=(const CorvanaLibraryPart&) = default;
    ~CorvanaLibraryPart() override;
};

}  // namespace QRV
