// The request a start sends to the running program: any bytes, in pieces of
// any size, read as the running program reads them. The program answers at
// most once, before it is confirmed; a confirmed request names the file the
// bytes after the length gave (without a zero byte), whatever the pieces,
// and a request once confirmed or refused stays so.

#include "platform/ShellOpen.h"

#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

using Step = HandOverRequest::Step;

// Reads the whole input in pieces whose sizes the first byte chooses.
Step ReadInPieces(const QByteArray& bytes, int piece, QByteArray& file)
{
    HandOverRequest request;
    Step last = Step::Incomplete;
    int answers = 0;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        const Step step = request.Take(bytes.mid(at, piece));
        if (step == Step::Answer && (++answers > 1 || last == Step::Confirmed))
            std::abort();
        if ((last == Step::Confirmed || last == Step::Refused) && step != last)
            std::abort();
        last = step;
    }
    if (request.Take(QByteArray()) != (last == Step::Answer ? Step::Incomplete : last))
        std::abort();
    file = request.File();
    if ((last == Step::Confirmed) != !file.isEmpty() || file.size() > 64 * 1024 || file.contains('\0'))
        std::abort();
    return last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QByteArray whole, pieces;
    const Step all = ReadInPieces(bytes, int(bytes.size()) + 1, whole);
    const Step split = ReadInPieces(bytes, 1 + data[0] % 16, pieces);
    // The pieces change nothing of what the request comes to.
    if (whole != pieces || (all == Step::Confirmed) != (split == Step::Confirmed))
        std::abort();
    if (all == Step::Confirmed &&
        (bytes.size() < 5 || whole != bytes.mid(4, qsizetype(qFromBigEndian<quint32>(bytes.constData())))))
        std::abort();
    return 0;
}
