// A test-only VNC client that sends pointer and key events to a VNC server,
// with xdotool's words: wayvnc turns them into a Wayland compositor's
// virtual pointer and keyboard, the one route to real input on a headless
// wlroots compositor. Commands, one after another on the command line:
//   mousemove X Y | mousedown N | mouseup N | click N | key NAME | sleep SECONDS
// (NAME a keysym name such as Down, Return, Escape). The buttons held stay
// held between the commands of one run only. The server is HOST:PORT, or the
// path of its local socket.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <chrono>
#include <thread>

#include <rfb/rfbclient.h>
#include <X11/Xlib.h>

namespace {

struct Input {
    rfbClient *client;
    int x = 0, y = 0, buttons = 0;

    // Reads what the server sent meanwhile, so that it never waits on us.
    void drain() const
    {
        while (WaitForMessage(client, 0) > 0)
            if (!HandleRFBServerMessage(client))
                return;
    }
    bool pointer() const { return SendPointerEvent(client, x, y, buttons); }
    void pause(double seconds) const
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(long(seconds * 1000)));
        drain();
    }
};

void Quiet(const char *, ...) {}

bool ButtonMask(const char *text, int *mask)
{
    const int button = std::atoi(text);
    if (button < 1 || button > 8)
        return false;
    *mask = 1 << (button - 1);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s HOST:PORT|SOCKET-PATH COMMAND...\n", argv[0]);
        return 2;
    }
    const std::string address = argv[1];
    rfbClientLog = Quiet;   // errors are still told
    rfbClient *client = rfbGetClient(8, 3, 4);
    // A path names the server's local socket (wayvnc --unix-socket).
    const auto colon = address[0] == '/' ? std::string::npos : address.rfind(':');
    client->serverHost = strdup(address.substr(0, colon).c_str());
    client->serverPort = colon == std::string::npos ? 5900 : std::atoi(address.c_str() + colon + 1);
    int noArguments = 0;
    if (!rfbInitClient(client, &noArguments, nullptr)) {
        std::fprintf(stderr, "no VNC server at %s\n", address.c_str());
        return 1;
    }
    Input input{client};
    input.drain();
    bool sent = true;
    for (int i = 2; i < argc && sent; ++i) {
        const char *word = argv[i];
        auto next = [&]() -> const char * { return i + 1 < argc ? argv[++i] : ""; };
        int mask = 0;
        if (!std::strcmp(word, "mousemove")) {
            input.x = std::atoi(next());
            input.y = std::atoi(next());
            sent = input.pointer();
        } else if (!std::strcmp(word, "mousedown") && ButtonMask(next(), &mask)) {
            input.buttons |= mask;
            sent = input.pointer();
        } else if (!std::strcmp(word, "mouseup") && ButtonMask(next(), &mask)) {
            input.buttons &= ~mask;
            sent = input.pointer();
        } else if (!std::strcmp(word, "click") && ButtonMask(next(), &mask)) {
            input.buttons |= mask;
            sent = input.pointer();
            input.pause(0.05);
            input.buttons &= ~mask;
            sent = sent && input.pointer();
        } else if (!std::strcmp(word, "key")) {
            const char *name = next();
            const KeySym key = XStringToKeysym(name);
            if (key == NoSymbol) {
                std::fprintf(stderr, "no key named %s\n", name);
                return 2;
            }
            sent = SendKeyEvent(client, rfbKeySym(key), TRUE) && SendKeyEvent(client, rfbKeySym(key), FALSE);
        } else if (!std::strcmp(word, "sleep")) {
            input.pause(std::atof(next()));
        } else {
            std::fprintf(stderr, "cannot do \"%s\"\n", word);
            return 2;
        }
        input.pause(0.02);
    }
    // The server reads the last events before it sees the client go.
    input.pause(0.05);
    rfbClientCleanup(client);
    return sent ? 0 : 1;
}
