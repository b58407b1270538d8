#pragma once
// ThreadSanitizer follows one stack per thread: it must be told when a thread
// switches to the parser's fiber and back, or it takes the other stack's
// frames for its own and reports races that are not there. Without the
// sanitizer these compile to the plain switches.

#include <boost/context/fiber.hpp>

#if defined(__SANITIZE_THREAD__)
#define VANTREL_FIBER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VANTREL_FIBER_TSAN 1
#endif
#endif
#ifdef VANTREL_FIBER_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace LtXmlLib3::detail {

// The sanitizer's record of one fiber and of whichever fiber resumed it last.
class SanitizerFiber {
public:
    SanitizerFiber() = default;
    SanitizerFiber(const SanitizerFiber&) = delete;
    SanitizerFiber& operator=(const SanitizerFiber&) = delete;
#ifdef VANTREL_FIBER_TSAN
    ~SanitizerFiber() {
        if (m_fiber != nullptr) __tsan_destroy_fiber(m_fiber);
    }
    // Resumes `fiber`, which this object stands for, from the running fiber.
    boost::context::fiber Enter(boost::context::fiber&& fiber) {
        m_caller = __tsan_get_current_fiber();
        if (m_fiber == nullptr) m_fiber = __tsan_create_fiber(0);
        __tsan_switch_to_fiber(m_fiber, 0);
        return std::move(fiber).resume();
    }
    // Switches back to the fiber that entered this one; `caller` resumes it
    // (or is returned to it when the fiber's function ends).
    boost::context::fiber Leave(boost::context::fiber&& caller) {
        __tsan_switch_to_fiber(m_caller, 0);
        return std::move(caller).resume();
    }
    boost::context::fiber&& Return(boost::context::fiber&& caller) {
        __tsan_switch_to_fiber(m_caller, 0);
        return std::move(caller);
    }

private:
    void* m_fiber = nullptr;
    void* m_caller = nullptr;
#else
    boost::context::fiber Enter(boost::context::fiber&& fiber) { return std::move(fiber).resume(); }
    boost::context::fiber Leave(boost::context::fiber&& caller) { return std::move(caller).resume(); }
    boost::context::fiber&& Return(boost::context::fiber&& caller) { return std::move(caller); }
#endif
};

}  // namespace LtXmlLib3::detail
