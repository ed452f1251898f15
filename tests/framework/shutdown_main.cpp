// The program's objects are freed at exit: a form that the application still owns when main
// returns is freed with it, its OnDestroy runs, and the screen is still there while it goes.
// The test passes when the line printed by OnDestroy appears and the program ends cleanly.
#include "framework/Application.h"
#include "framework/Screen.h"

#include <cstdio>

int main()
{
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->OnDestroy = [](TObject* Sender) {
        const bool listed = Screen && Screen->FormCount() == 1 && Screen->Forms(0) == Sender;
        std::printf("form destroyed at exit%s\n", listed ? ", screen still there" : "");
        std::fflush(stdout);
    };
    return 0;
}
