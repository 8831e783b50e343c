#pragma once
// The product this setup installs, as the backdrop and the registration name it.
namespace core {

constexpr char kProductName[] = "Velmora";
constexpr char kProductVersion[] = "2.8.3.5";
constexpr char kWebAddress[] = "https://www.velmora.example";
constexpr char kMakerCredit[] = "周明远  Tessaly（2009-2026）";

} // namespace core
