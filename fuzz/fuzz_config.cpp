// libFuzzer target: the configuration and language reader, with the numeric
// reading of every item, as start-up uses them.

#include "core/files/config.h"
#include "core/text/numeric.h"
#include "core/text/textreader.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    garabix::SequentialReader reader(garabix::decodeText(bytes));
    int items = 0;
    while (auto item = reader.next()) {
        if (item->size() > garabix::SequentialReader::maxItemLength)
            std::abort();
        (void)garabix::config::numberField(*item);
        if (++items > 1000000)
            std::abort(); // every item consumes input: the reader cannot loop
    }
    return 0;
}
