// vantrel: the program. The event loop comes first, then the application object; the object is
// started, the loop runs while it runs, and its exit processing runs also after a refused
// start. The object goes before the loop does.
#include <memory>

#include "app/CVantrelApp.h"
#include "platform/gui/Application.h"

int main(int argc, char** argv) {
  vt::Application loop(argc, argv);
  int code = 0;
  {
    auto app = std::make_unique<CVantrelApp>();
    if (app->InitInstance()) loop.Run();
    code = app->ExitInstance();
  }
  return code;
}
