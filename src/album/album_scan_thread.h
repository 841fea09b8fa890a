#pragma once
// Scans an album on a thread of its own, a piece at a time, and hands the pieces
// over in order on the window's thread, so a large album never holds the window up.
#include <QObject>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "logic/album_scan.h"

class AlbumScanThread : public QObject {
public:
    // Called on the window's thread with each piece; `last` with the final one.
    using PieceFn = std::function<void(AlbumScan&& piece, bool last)>;

    AlbumScanThread(PieceFn onPiece, QObject* parent);
    ~AlbumScanThread() override;

    // Records read at a time; small in tests, so that a scan has many pieces.
    static inline int32_t pieceRecords = 8192;

    // Scans the first `records` records through fd, which it takes over and closes;
    // a scan still running is cancelled first. A read that fails ends the scan there.
    void start(int fd, int32_t records);
    // Stops the scan and waits for its thread; nothing more of it is handed over.
    void cancel();
    // Waits for the scan to end and hands over all of it before returning.
    void finish();

private:
    struct Piece {
        AlbumScan scan;
        bool last;
    };
    void run(int fd, int32_t records, int32_t perPiece);
    void hand(AlbumScan&& scan, bool last);
    void handOver();

    PieceFn onPiece_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Piece> pieces_;  // guarded by mutex_
    unsigned scanNumber_ = 0;    // window's thread only
};
