#pragma once

struct TShellKind;

/// The dialog-only code of the pick dialog "Поиск телефона": the phone search, which answers a phone.
namespace PhonePick {
inline constexpr int Kind = 104;
}

/// The shell's descriptor of phones (kind 4): edited in the dialog "Данные о телефоне", never in a card.
TShellKind PhoneShellKind();
/// The shell's descriptor of internet contacts (kind 5): edited in the dialog "Данные о связи через Интернет".
TShellKind InternetContactShellKind();
/// The shell's descriptor of the phone search (the dialog-only code PhonePick::Kind).
TShellKind PhonePickShellKind();

/// Registers the phone and internet-contact screens: the descriptors above with their frames, the person
/// card's section "Как связаться с человеком" and the address card's phone list.
void RegisterPhoneScreens();
