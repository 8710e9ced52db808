// The records in the browser's storage, in the records file's own text
// (records::toText), under one key: what another tab wrote in the meantime
// is read before each write, so neither loses a game; a value that cannot be
// read is moved aside, never overwritten; storage that is full or refused
// (a private window) keeps the records for this page only, said once.
#pragma once

#include <string>
#include <vector>

#include "play/record_store.h"

namespace platform::web {

class BrowserRecords final : public tembira::RecordStore {
  public:
    explicit BrowserRecords(std::string key);

    const records::Records& records() const override { return shown_; }
    bool add(const records::Result& result) override;
    void clear() override;
    std::string takeNotice() override;

  private:
    enum class Stored { Missing, Read, Damaged, Refused };
    Stored read(records::Records& into);
    // Reads what is stored now, applies what is pending, and writes it
    // back; the value is what the last pending result's add said.
    bool sync();
    void lost(bool full);

    std::string key_;
    records::Records stored_; // as last read or written
    records::Records shown_;  // stored_ with what is pending
    std::vector<records::Result> pending_;
    bool clearPending_ = false;
    bool stuck_ = false; // a damaged value could not be moved: never written over
    bool saidLost_ = false;
    std::vector<std::string> notices_;
};

} // namespace platform::web
