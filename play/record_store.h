// Where a session keeps the records: the records file, or a program's own
// store (the page keeps them in the browser's storage). Either keeps what it
// cannot store for this run, and says so once.
#pragma once

#include <string>

#include "records/records.h"

namespace tembira {

class RecordStore {
  public:
    virtual ~RecordStore() = default;
    virtual const records::Records& records() const = 0;
    // Counts a solved game in; true when it beats the kind's earlier best.
    virtual bool add(const records::Result& result) = 0;
    virtual void clear() = 0;
    // A sentence for the player, once; empty when there is nothing (more).
    virtual std::string takeNotice() = 0;
};

} // namespace tembira
