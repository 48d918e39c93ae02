// Input through KWin's fake input interface, as a person's keyboard and pointer give it: keys
// reach the window KWin has focused and KWin's own shortcuts, which XTest's keys, staying inside
// XWayland, never do.
//
//   fake_input keys CODE...     presses the Linux key codes in order, then lets them go backwards
//   fake_input move X Y         puts the pointer at (X, Y) of the output
#include "fake-input-client.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

org_kde_kwin_fake_input* fakeInput = nullptr;

const wl_registry_listener Registry = {
    [](void*, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
        if (std::string_view(interface) == org_kde_kwin_fake_input_interface.name)
            fakeInput = static_cast<org_kde_kwin_fake_input*>(
                wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
    },
    [](void*, wl_registry*, std::uint32_t) {},
};

int usage() {
    std::fputs("usage: fake_input keys CODE... | fake_input move X Y\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3)
        return usage();
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fputs("fake_input: no Wayland display\n", stderr);
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &Registry, nullptr);
    wl_display_roundtrip(display);
    if (fakeInput == nullptr) {
        std::fputs("fake_input: the compositor offers no fake input\n", stderr);
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "vantor tests", "desktop tests");
    const std::string_view verb = argv[1];
    if (verb == "keys") {
        std::vector<std::uint32_t> codes;
        for (int i = 2; i < argc; ++i)
            codes.push_back(std::uint32_t(std::strtoul(argv[i], nullptr, 10)));
        for (std::uint32_t code : codes) {
            org_kde_kwin_fake_input_keyboard_key(fakeInput, code, WL_KEYBOARD_KEY_STATE_PRESSED);
            wl_display_roundtrip(display);
        }
        for (auto code = codes.rbegin(); code != codes.rend(); ++code) {
            org_kde_kwin_fake_input_keyboard_key(fakeInput, *code, WL_KEYBOARD_KEY_STATE_RELEASED);
            wl_display_roundtrip(display);
        }
    } else if (verb == "move" && argc == 4) {
        org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput,
                                                        wl_fixed_from_int(std::atoi(argv[2])),
                                                        wl_fixed_from_int(std::atoi(argv[3])));
        wl_display_roundtrip(display);
    } else {
        return usage();
    }
    org_kde_kwin_fake_input_destroy(fakeInput);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
