// A fuzzed congregation package: whatever decodes writes back to bytes that decode the same
// and write back identically.
#include "exchange/Package.h"

#include <cstdlib>
#include <span>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mivra::exchange;
    constexpr int kCodePages[] = {1252, 1251, 1250};
    const int codePage = size ? kCodePages[data[size - 1] % 3] : 1252;
    const PackageRead read = DecodePackage(std::span(data, size), codePage);
    if (read.error != PackageError::None) {
        Require(read.package == Package{});
        return 0;
    }
    Require(read.package.brothers.size() == size / kPackageRecordSize - 1);
    const std::vector<uint8_t> bytes = EncodePackage(read.package, codePage);
    const PackageRead again = DecodePackage(bytes, codePage);
    Require(again.error == PackageError::None && again.package == read.package);
    Require(EncodePackage(again.package, codePage) == bytes);
    return 0;
}
