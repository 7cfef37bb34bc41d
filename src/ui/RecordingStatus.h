// The status line about the selected entry's recording: not found, found with
// its length and the pace of the text, and what the recorded list next to
// the open file says of it (text changed since, a new take). The lookup, the
// audio facts and the hashes are done on a thread of this object's own, so
// that selecting stays instant; the line is shown when it is ready, and only
// while the same entry is still selected and nothing else took the line.
#pragma once

#include "AfxDefs.h"
#include "IdentifierHashes.h"
#include "check/RecordedListCache.h"
#include "check/RecordingFactsCache.h"
#include "check/RecordingState.h"
#include "model/TextResourceEntry.h"

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class CFrameWnd;

class CRecordingStatus : public QObject {
public:
    explicit CRecordingStatus(CFrameWnd* pFrame); // not owned
    ~CRecordingStatus() override;

    // The open file (UTF-8 path; empty for a new one): its recorded list is
    // read ahead, off this thread.
    void Follow(const std::string& trsPath);
    // The entry now selected (null: none, or the root): the line about its
    // recording follows when it is ready. `maxPerSecond`: the pace limit.
    void OnSelected(const TextResourceEntry* entry, std::optional<double> maxPerSecond);
    // Whether a line asked for is still being made.
    bool IsPending() const { return m_nAnswered != m_nGeneration; }

    // Gives the recorded list of the file as a check takes it, read when
    // called if it changed on disk; null when there is none or it cannot be
    // read. Callable from any thread, also after this object is gone.
    std::function<std::shared_ptr<const check::RecordedList>()>
    RecordedLines(const std::string& trsPath);

    // How often a recording was read since the start: what the cache saved.
    std::uint64_t RecordingReads() const { return m_facts.Reads(); }

private:
    struct Request {
        std::uint64_t generation = 0;
        TextResourceEntry entry;
        std::string folder;   // the mission folder, as the lookup takes it
        std::string listPath; // empty: no list
        std::optional<double> maxPerSecond;
    };
    struct Answer {
        std::uint64_t generation = 0;
        bool found = false;
        check::RecordingState state;
        std::string listFailure; // the list is there but not readable: why
    };

    void Work();
    Answer Find(const Request& request);
    void Deliver(const Answer& answer);
    CString Line(const Answer& answer);

    CFrameWnd* m_pFrame; // not owned
    std::string m_strTrsPath;
    std::uint64_t m_nGeneration = 0; // of the last selection
    std::uint64_t m_nAnswered = 0;   // of the last answer delivered or passed over
    TextResourceEntry m_entry;       // the one asked about last
    CIdentifierHashes m_identifiers;

    std::shared_ptr<check::RecordedListCache> m_lists =
        std::make_shared<check::RecordedListCache>();
    check::RecordingFactsCache m_facts;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_request; // the newest: older ones are passed over
    std::optional<std::string> m_preload;
    bool m_bStop = false;
    std::thread m_thread;
};
