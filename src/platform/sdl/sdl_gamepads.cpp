#include "platform/sdl/sdl_gamepads.h"

namespace kb::platform {
namespace {

struct ButtonOfSdl {
  SDL_GameControllerButton sdl;
  PadButton pad;
};

constexpr std::array<ButtonOfSdl, kPadButtons> kButtons = {{
    {SDL_CONTROLLER_BUTTON_A, PadButton::kA},
    {SDL_CONTROLLER_BUTTON_B, PadButton::kB},
    {SDL_CONTROLLER_BUTTON_X, PadButton::kX},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::kY},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::kBack},
    {SDL_CONTROLLER_BUTTON_START, PadButton::kStart},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::kLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::kRightShoulder},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::kUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::kDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::kLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::kRight},
}};

}  // namespace

void SdlGamepads::Close() {
  for (Pad& pad : pads_) {
    if (pad.controller != nullptr) SDL_GameControllerClose(pad.controller);
    pad.controller = nullptr;
  }
}

void SdlGamepads::Open() {
  // The pads already there announce themselves as added, like new ones.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

SdlGamepads::Pad* SdlGamepads::Find(SDL_JoystickID id) {
  for (Pad& pad : pads_) {
    if (pad.controller != nullptr && pad.id == id) return &pad;
  }
  return nullptr;
}

PadState SdlGamepads::StateOf(SDL_GameController* controller) {
  PadState state;
  for (const ButtonOfSdl& button : kButtons) {
    if (SDL_GameControllerGetButton(controller, button.sdl) != 0)
      state.buttons |= static_cast<uint16_t>(1u << static_cast<unsigned>(button.pad));
  }
  state.stickX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
  state.stickY = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
  return state;
}

bool SdlGamepads::Handle(const SDL_Event& event, InputModel& input) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      for (Pad& pad : pads_) {
        if (pad.controller != nullptr) continue;
        pad.controller = SDL_GameControllerOpen(event.cdevice.which);
        if (pad.controller != nullptr)
          pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad.controller));
        break;
      }
      return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      if (Pad* pad = Find(event.cdevice.which)) {
        pad->keys.Release(input, static_cast<int>(pad - pads_.data()));
        SDL_GameControllerClose(pad->controller);
        pad->controller = nullptr;
        pad->id = -1;
      }
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION: {
      const SDL_JoystickID id =
          event.type == SDL_CONTROLLERAXISMOTION ? event.caxis.which : event.cbutton.which;
      if (Pad* pad = Find(id)) {
        pad->keys.Update(input, static_cast<int>(pad - pads_.data()), StateOf(pad->controller));
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace kb::platform
