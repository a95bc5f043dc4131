#pragma once

// What every feature controller of the application is: a view of the application object,
// which owns it and hands it out (Application::books(), entry(), ...), whose methods are
// commands run in the application's command scope.

namespace velmora {

class Application;

class AppController {
public:
    explicit AppController(Application& app) : app_(app) {}
    AppController(const AppController&) = delete;
    AppController& operator=(const AppController&) = delete;

protected:
    ~AppController() = default;

    Application& app_;
};

}  // namespace velmora
