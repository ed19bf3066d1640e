#pragma once
// The process's application when one exists, without creating one (for destructors and
// change notices that must not bring an application to life).

namespace kv::ui {
class Application;
namespace internal {
Application* currentApplication();
} // namespace internal
} // namespace kv::ui
