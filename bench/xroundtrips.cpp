#include "xroundtrips.h"

#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>

#include <dlfcn.h>

namespace {

long count = 0;
thread_local int depth = 0;

// Xlib waits for its replies through libxcb, and libxcb's waits call each other: only the
// outermost wait of one request counts.
struct Wait {
    Wait() {
        if (depth++ == 0)
            ++count;
    }
    ~Wait() { --depth; }
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;
};

template <class Function> Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// A reply that came in with an earlier one was not waited for: requests sent together share one
// round trip. True, with the reply, when it is here already.
template <class Request>
bool arrived(int (*poll)(xcb_connection_t*, Request, void**, xcb_generic_error_t**),
             xcb_connection_t* connection, Request request, void** reply,
             xcb_generic_error_t** error) {
    if (depth > 0)
        return false;
    xcb_generic_error_t* failure = nullptr;
    if (poll(connection, request, reply, &failure) == 0)
        return false;
    if (error != nullptr)
        *error = failure;
    else
        std::free(failure);
    return true;
}

} // namespace

extern "C" {

Status _XReply(Display* display, xReply* reply, int extra, Bool discard) {
    static const auto real = next<Status (*)(Display*, xReply*, int, Bool)>("_XReply");
    const Wait wait;
    return real(display, reply, extra, discard);
}

void* xcb_wait_for_reply(xcb_connection_t* connection, unsigned int request,
                         xcb_generic_error_t** error) {
    static const auto real =
        next<void* (*)(xcb_connection_t*, unsigned int, xcb_generic_error_t**)>(
            "xcb_wait_for_reply");
    if (void* reply = nullptr; arrived(xcb_poll_for_reply, connection, request, &reply, error))
        return reply;
    const Wait wait;
    return real(connection, request, error);
}

void* xcb_wait_for_reply64(xcb_connection_t* connection, uint64_t request,
                           xcb_generic_error_t** error) {
    static const auto real =
        next<void* (*)(xcb_connection_t*, uint64_t, xcb_generic_error_t**)>("xcb_wait_for_reply64");
    if (void* reply = nullptr; arrived(xcb_poll_for_reply64, connection, request, &reply, error))
        return reply;
    const Wait wait;
    return real(connection, request, error);
}

} // extern "C"

long vantor::bench::xRoundTrips() {
    return count;
}
