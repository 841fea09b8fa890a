#include "album/album_scan_thread.h"

#include <sys/resource.h>
#include <unistd.h>

AlbumScanThread::AlbumScanThread(PieceFn onPiece, QObject* parent) : QObject(parent), onPiece_(std::move(onPiece)) {}

AlbumScanThread::~AlbumScanThread()
{
    cancel();
}

void AlbumScanThread::start(int fd, int32_t records)
{
    cancel();
    stop_ = false;
    worker_ = std::thread(&AlbumScanThread::run, this, fd, records, std::max<int32_t>(1, pieceRecords));
}

void AlbumScanThread::cancel()
{
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    const std::lock_guard lock(mutex_);
    pieces_.clear();
    ++scanNumber_;
}

void AlbumScanThread::finish()
{
    if (worker_.joinable()) worker_.join();
    handOver();
}

void AlbumScanThread::run(int fd, int32_t records, int32_t perPiece)
{
    // The scan gives way to the window's thread, which has the list to lay out and paint.
    setpriority(PRIO_PROCESS, id_t(gettid()), 10);
    AlbumScanner scanner;
    std::string buffer;
    int32_t first = 1;
    while (first <= records && !stop_) {
        const int32_t count = std::min(perPiece, records - first + 1);
        if (!readRecordsAt(fd, first, count, buffer)) break;
        first += count;
        hand(scanner.scan(buffer), first > records);
    }
    if (!stop_ && (first <= records || records == 0)) hand(scanner.scan({}), true);
    ::close(fd);
}

void AlbumScanThread::hand(AlbumScan&& scan, bool last)
{
    const std::lock_guard lock(mutex_);
    // One wake-up at a time: it takes every piece waiting when it comes.
    if (pieces_.empty())
        QMetaObject::invokeMethod(
            this, [this] { handOver(); }, Qt::QueuedConnection);
    pieces_.push_back({std::move(scan), last});
}

void AlbumScanThread::handOver()
{
    std::vector<Piece> ready;
    {
        const std::lock_guard lock(mutex_);
        ready.swap(pieces_);
    }
    const unsigned scan = scanNumber_;
    for (Piece& piece : ready) {
        // A piece's receiver may start another scan; the rest of this one is then dropped.
        if (scanNumber_ != scan) return;
        if (piece.last && worker_.joinable()) worker_.join();
        onPiece_(std::move(piece.scan), piece.last);
    }
}
