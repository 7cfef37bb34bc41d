#include "RecordingStatus.h"

#include "EntryText.h"
#include "FrameWnd.h"
#include "LexariumDoc.h"
#include "RecordingLookup.h"
#include "audio/AudioLookup.h"
#include "check/Wording.h"
#include "model/TextExport.h"
#include "model/TextResourceObject.h"

#include <QMetaObject>
#include <cmath>

CRecordingStatus::CRecordingStatus(CFrameWnd* pFrame)
    : m_pFrame(pFrame), m_thread([this] { Work(); }) {}

CRecordingStatus::~CRecordingStatus() {
    {
        std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CRecordingStatus::Follow(const std::string& trsPath) {
    m_strTrsPath = trsPath;
    if (trsPath.empty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_preload = check::RecordedListPathFor(trsPath);
    }
    m_wake.notify_all();
}

void CRecordingStatus::OnSelected(const TextResourceEntry* entry,
                                  std::optional<double> maxPerSecond) {
    const std::uint64_t generation = ++m_nGeneration;
    if (entry == nullptr) {
        m_nAnswered = generation;
        return;
    }
    m_entry = *entry;
    // An entry without a recording (no name, or the placeholder) has nothing
    // to tell, as check has nothing to say of it: the status bar stays as it is.
    if (!HasAudioFile(*entry)) {
        m_nAnswered = generation;
        return;
    }
    Request request;
    request.generation = generation;
    request.entry = *entry;
    request.folder = g_pMissionFolder != nullptr ? ToUtf8(*g_pMissionFolder) : std::string();
    if (!m_strTrsPath.empty())
        request.listPath = check::RecordedListPathFor(m_strTrsPath);
    request.maxPerSecond = maxPerSecond;
    {
        std::lock_guard lock(m_mutex);
        m_request = std::move(request);
    }
    m_wake.notify_all();
}

std::function<std::shared_ptr<const check::RecordedList>()>
CRecordingStatus::RecordedLines(const std::string& trsPath) {
    if (trsPath.empty())
        return {};
    return [lists = m_lists, path = check::RecordedListPathFor(trsPath)] {
        return lists->Lines(path);
    };
}

void CRecordingStatus::Work() {
    for (;;) {
        std::optional<Request> request;
        std::optional<std::string> preload;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_bStop || m_request || m_preload; });
            if (m_bStop)
                return;
            request.swap(m_request);
            preload.swap(m_preload);
        }
        if (preload)
            m_lists->Get(*preload);
        if (!request)
            continue;
        Answer answer = Find(*request);
        // Queued to this object: an answer that arrives after it is gone is dropped.
        QMetaObject::invokeMethod(
            this, [this, answer = std::move(answer)] { Deliver(answer); }, Qt::QueuedConnection);
    }
}

CRecordingStatus::Answer CRecordingStatus::Find(const Request& request) {
    Answer answer;
    answer.generation = request.generation;
    // The lookup of listen, without keeping a repaired folder: showing a
    // state changes no setting.
    audio::AudioLocator locator;
    const audio::AudioLookupResult found =
        locator.FindRecording(request.folder, request.entry, false);
    if (!found.Found())
        return answer;
    answer.found = true;
    std::shared_ptr<const check::IndexedRecordedList> list;
    if (!request.listPath.empty())
        list = m_lists->Get(request.listPath);
    const bool listed = list && list->failure.empty();
    if (list)
        answer.listFailure = list->failure;
    const check::RecordedLine* line = listed ? list->Find(request.entry.identifier) : nullptr;
    const check::RecordingFacts facts = m_facts.Get(found.path, line != nullptr);
    answer.state = check::JudgeRecording(request.entry, found.path, facts, listed, line, false,
                                         request.maxPerSecond);
    return answer;
}

void CRecordingStatus::Deliver(const Answer& answer) {
    if (answer.generation != m_nGeneration)
        return; // another entry is selected by now
    m_nAnswered = answer.generation;
    // Whatever was said since the selection stays.
    if (m_pFrame == nullptr || !m_pFrame->GetStatusLine().isEmpty())
        return;
    m_pFrame->ShowStatusLine(Line(answer));
}

CString CRecordingStatus::Line(const Answer& answer) {
    using Listed = check::RecordingState::Listed;
    if (!answer.found)
        return RecordingNotFoundLine(m_entry, false);
    const check::RecordingState& state = answer.state;
    std::string text = "Recording " + check::Quoted(state.path);
    if (!state.readable)
        return FromUtf8(text + " does not decode: " + state.error + ".");
    if (!state.lengthMs) {
        text += " is there, but its format does not tell its length";
    } else {
        text += " lasts " + std::to_string(std::llround(*state.lengthMs)) + " ms";
        if (state.tooFast)
            text += ": " + *state.tooFast;
        else if (state.perSecond)
            text += ": " + check::Decimal(*state.perSecond, 1) + " characters per second";
    }
    Listed listed = state.listed;
    // A line of the list names one entry: with two of the identifier it tells of neither.
    if ((listed == Listed::Unchanged || listed == Listed::TextChanged ||
         listed == Listed::NewTake) &&
        g_pDocument != nullptr && m_identifiers.IsShared(*g_pDocument, m_entry.identifier))
        listed = Listed::Shared;
    switch (listed) {
    case Listed::NoList:
        if (!answer.listFailure.empty())
            text += "; the recorded list cannot be read: " + answer.listFailure;
        break;
    case Listed::NotListed:
        text += "; not in the recorded list";
        break;
    case Listed::Shared:
        text += "; the recorded list cannot tell: another entry has the same identifier";
        break;
    case Listed::Unchanged:
        text += "; recorded from this text on " + state.recordedDay;
        break;
    case Listed::TextChanged:
    case Listed::NewTake:
        text += "; " + state.detail;
        break;
    }
    return FromUtf8(text + ".");
}
