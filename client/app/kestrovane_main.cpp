// Kestrovane: the client program. KV_UI chooses the window backend ("headless": no
// display), KV_UI_SCRIPT plays the user from a UI script, KV_MACHINE names the machine
// folder and KV_SERVICE_URL the service.

#include "client/app/program/program.h"

int main(int argc, char** argv) {
    return kv::app::kestrovaneMain(argc, argv);
}
