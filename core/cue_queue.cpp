#include "cue_queue.h"

#include <algorithm>
#include <iterator>

namespace pranoth {

void CueQueue::startPhase(const std::vector<std::string> &phrases, Start start)
{
    waiting_.clear();
    if (start == Start::Interrupting && speaking_) {
        engine_.stop();
        speaking_ = false;
    }
    add(phrases);
}

void CueQueue::add(const std::vector<std::string> &phrases)
{
    std::copy_if(phrases.begin(), phrases.end(), std::back_inserter(waiting_),
                 [](const std::string &phrase) { return !phrase.empty(); });
    sayNext();
}

void CueQueue::spoken()
{
    speaking_ = false;
    sayNext();
}

void CueQueue::pause()
{
    if (paused_)
        return;
    paused_ = true;
    // Silence at once; the phrase cut short is said again, whole, on resuming.
    if (speaking_) {
        engine_.stop();
        speaking_ = false;
        waiting_.push_front(current_);
    }
}

void CueQueue::resume()
{
    if (!paused_)
        return;
    paused_ = false;
    sayNext();
}

void CueQueue::clear()
{
    waiting_.clear();
    if (speaking_)
        engine_.stop();
    speaking_ = false;
}

void CueQueue::sayNext()
{
    if (speaking_ || paused_ || waiting_.empty())
        return;
    speaking_ = true;
    current_ = std::move(waiting_.front());
    waiting_.pop_front();
    engine_.say(current_);
}

} // namespace pranoth
