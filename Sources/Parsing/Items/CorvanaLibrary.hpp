// A catalogue product delivered as a library container file.
#pragma once

#include "Parsing/Items/CorvanaProductItem.hpp"
#include "Parsing/Items/Library.hpp"

namespace QRV {

class CorvanaLibrary : public CorvanaProductItem<Library>, public virtual BaseItem {
public:
    CorvanaLibrary() : CorvanaProductItem<Library>("lcf") {}
    CorvanaLibrary(const CorvanaLibrary&) = default;
    CorvanaLibrary& operator=(const CorvanaLibrary&) = default;
    ~CorvanaLibrary() override;
};

}  // namespace QRV
