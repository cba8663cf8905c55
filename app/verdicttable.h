// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

namespace VerdictTable {

// Eight bounds in seconds, as single-precision values. A time below the
// first gets message 0 and one from the last up message 15; between them
// lie seven bands that own two messages each, one drawn at random: band k
// runs from Bounds[k - 1] up to Bounds[k] and owns messages 2k - 1 and 2k.
inline constexpr std::array<float, 8> Bounds{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f};
inline constexpr int BandCount = static_cast<int>(Bounds.size()) - 1;

// UTF-8; every message begins and ends with one space.
inline constexpr std::array<const char *, 16> Messages{
    " Sie sind der Knaller, das macht Ihnen so schnell keiner nach ",
    " Wahnsinn!, mit solch einer Reaktion sollten Sie Rennfahrer werden ",
    " Super diese Zeit wird wohl so schnell keiner unterbieten! ",
    " Hervorragende Zeit. Sie sind echt gut ",
    " Einfach Klasse, total schnelle Reaktion! ",
    " Das ist ein guter Durchschnitt! ",
    " An dieser Zeit ist nichts auzusetzen! ",
    " Na ja das können Sie bestimmt noch besser! ",
    " Versuchen Sie es noch einmal, vielleicht hatten Sie eben einen kleinen Durchhänger! ",
    " Ich hoffe mal dass Sie keinen Führerschein besitzen! ",
    " Meine Oma hätte das besser hingekriegt! ",
    " Falls Sie im Besitz einer Fahrerlaubnis sind geben Sie bitte diese sofort ab!!! ",
    " Also viel langsamer kann man nicht mehr reagieren! ",
    " Das scheint ja zwecklos bei Ihnen zu sein, Raktion gehört wohl nicht zu Ihren guten "
    "Eigenschaften! ",
    " Mann, das war absolut schlecht! ",
    " Aufhören, dieses Programm ist ein Klappomatikus und kein Einschlaftest! ",
};

} // namespace VerdictTable
