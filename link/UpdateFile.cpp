#include "link/UpdateFile.h"

#include <filesystem>
#include <fstream>

#include "link/UpdateUpload.h"

namespace chairlink {

UpdateFile readUpdateFile(const std::string& path) {
    using Refusal = UpdateFile::Refusal;
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::status(path, error)) || error)
        return {std::nullopt, Refusal::Unreadable};
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kLargestUpdateFile) return {std::nullopt, Refusal::TooLarge};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {std::nullopt, Refusal::Unreadable};
    // One byte more than allowed tells a file that grew past the limit since it was measured.
    Bytes bytes(kLargestUpdateFile + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (in.bad()) return {std::nullopt, Refusal::Unreadable};
    bytes.resize(std::size_t(in.gcount()));
    if (bytes.size() > kLargestUpdateFile) return {std::nullopt, Refusal::TooLarge};
    if (bytes.empty()) return {std::nullopt, Refusal::Empty};
    return {std::move(bytes), Refusal::None};
}

}  // namespace chairlink
