#include "web/browser_records.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "app/words.h"
#include "web/page_dom.h"

namespace platform::web {

namespace {

struct Read {
    int status = 0;
    std::optional<std::string> value;
};

Read get(const std::string& key) {
    Read read;
    char* value = page_storage_get(key.c_str(), &read.status);
    if (value) {
        read.value = value;
        std::free(value);
    }
    return read;
}

} // namespace

BrowserRecords::BrowserRecords(std::string key) : key_(std::move(key)) {
    if (read(stored_) == Stored::Refused)
        lost(false);
    shown_ = stored_;
}

BrowserRecords::Stored BrowserRecords::read(records::Records& into) {
    const Read got = get(key_);
    if (got.status != 0)
        return Stored::Refused;
    if (!got.value)
        return Stored::Missing;
    if (const std::optional<records::Records> records = records::fromText(*got.value)) {
        into = *records;
        return Stored::Read;
    }
    // Kept aside under the first free name, as the desktop keeps a damaged file.
    std::string aside = key_ + ".damaged";
    for (int i = 1; get(aside).value; ++i)
        aside = key_ + ".damaged." + std::to_string(i);
    if (page_storage_set(aside.c_str(), got.value->c_str()) != 0) {
        stuck_ = true;
        notices_.push_back(tembira::browserRecordsStuck);
        saidLost_ = true;
        return Stored::Damaged;
    }
    notices_.push_back(tembira::browserRecordsSetAside(aside));
    into = {};
    return Stored::Damaged;
}

bool BrowserRecords::add(const records::Result& result) {
    pending_.push_back(result);
    return sync();
}

void BrowserRecords::clear() {
    pending_.clear();
    clearPending_ = true;
    sync();
}

bool BrowserRecords::sync() {
    records::Records now = stored_;
    const Stored stored = stuck_ ? Stored::Refused : read(now);
    if (clearPending_)
        now = {};
    bool best = false;
    for (const records::Result& result : pending_)
        best = now.add(result);
    shown_ = now;
    if (stored == Stored::Refused || stuck_) {
        lost(false);
        return best;
    }
    if (const int failed = page_storage_set(key_.c_str(), records::toText(now).c_str())) {
        lost(failed == 1);
        return best;
    }
    stored_ = now;
    pending_.clear();
    clearPending_ = false;
    return best;
}

void BrowserRecords::lost(bool full) {
    if (std::exchange(saidLost_, true))
        return;
    notices_.push_back(tembira::browserRecordsLost(full));
}

std::string BrowserRecords::takeNotice() {
    if (notices_.empty())
        return {};
    std::string notice = std::move(notices_.front());
    notices_.erase(notices_.begin());
    return notice;
}

} // namespace platform::web
