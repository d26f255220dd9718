#include "cue_queue.h"

#include <algorithm>
#include <iterator>

namespace pranoth {

void CueQueue::say(const std::vector<std::string> &phrases, SpeechStart start)
{
    if (start != SpeechStart::Within)
        waiting_.clear();
    if (start == SpeechStart::Interrupted && speaking_) {
        engine_.stop();
        speaking_ = false;
    }
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
