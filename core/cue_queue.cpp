#include "cue_queue.h"

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
    for (const std::string &phrase : phrases) {
        if (!phrase.empty())
            waiting_.push_back(phrase);
    }
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
