// The records kept in one file, as a database keeps a committed write: a
// crash or a full disk mid-write leaves the old file or the new one, never
// half of one; two copies of the game writing at once lose neither one's
// results; a file that cannot be read as records is kept aside, never
// overwritten. None of this ever stops play: what cannot be kept on disk is
// kept for this run, and said once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "records/records.h"

namespace records {

class RecordFile {
  public:
    // path: the records file; its folder is made if missing. Reads it at
    // once (under the lock).
    explicit RecordFile(std::string path);

    // The records as this copy of the game knows them: what was on disk at
    // the last read or write, with this run's results that could not be
    // written yet.
    const Records& records() const { return shown_; }

    // Counts a solved game in: under the lock, reads what is on disk now
    // (another copy may have written since), adds this result and any
    // earlier ones not written yet, and replaces the file whole. Returns
    // whether the result beats the kind's earlier best (Records::add).
    bool add(const Result& result);

    // Clears every record, on disk too.
    void clear();

    // A sentence for the player, once: the records file was damaged and was
    // kept aside under another name, or the folder cannot be written and the
    // records will not last beyond this run. Empty when there is nothing
    // (more) to say; more than one may wait, so ask until it is empty.
    std::string takeNotice();

    // This run's results (and a clear) not on disk yet; each successful
    // write takes them all.
    std::size_t unwritten() const { return pending_.size() + (clearPending_ ? 1 : 0); }

  private:
    enum class Disk { Missing, Read, Damaged, Unavailable };
    Disk read(Records& into);
    bool setAside(int& error);
    bool write(const Records& records, int& error);
    // Reads what is on disk under the lock, applies what is pending, and
    // writes it back; the value is what the last pending result's add said.
    bool sync();
    void unwritable(int error);

    std::string path_;
    std::string folder_;
    Records disk_;  // as last read from the file
    Records shown_; // disk_ with what is pending
    std::vector<Result> pending_;
    bool clearPending_ = false;
    bool saidUnwritable_ = false;
    std::vector<std::string> notices_;
};

} // namespace records
