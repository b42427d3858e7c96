#include "FileAddress.hpp"

#include "SimUtf8.hpp"

namespace CorvanaHost {

std::string FileAddressPath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string generic = Sim::GenericPathUtf8(error ? path : absolute.lexically_normal());
    return !generic.empty() && generic.front() == '/' ? generic : "/" + generic;
}

}  // namespace CorvanaHost
