// Style sheets that several widgets of the main window form share, each written once.
// Colours: panel rgb(49,44,92), input boxes rgb(14,12,56), accent rgb(196,40,26) with the
// gradient #C4281A..#E46B38 on every filled slider part, light text rgb(235,235,235),
// grey text rgb(150,150,150).
#pragma once

namespace formsheet {

// Left panels of the three pages.
inline constexpr char panelSheet[] = "background-color: rgb(49,44,92)";
// Titles of the two equaliser pages.
inline constexpr char titleSheet[] = "color:rgb(235,235,235);\nborder: none;";
// The thin line under each panel's volume row.
inline constexpr char separatorSheet[] = "border-image: url(:/controls/pic/control/white.png); ";
// The ends of the volume scales and the volume numbers.
inline constexpr char valueTextSheet[] = "text-align:left center;\ncolor:rgb(235,235,235);\nborder: none;";
// Captions of the preset lists and the microphone page.
inline constexpr char captionSheet[] =
    "height:60px;\ntext-align:left center;\ncolor:rgb(235,235,235);\nborder: none;";
// The boxes that show the selected preset's name.
inline constexpr char presetNameSheet[] =
    "color:rgb(235,235,235);\nbackground-color:rgb(14,12,56);\nborder: none;\nborder-radius:5px;";
// "Volume" captions.
inline constexpr char volumeCaptionSheet[] = "text-align:left center;\ncolor:rgb(150,150,150);\nborder: none;";
// The same with a trailing indented blank line, as the Surround and microphone pages carry it.
inline constexpr char volumeCaptionTabSheet[] =
    "text-align:left center;\ncolor:rgb(150,150,150);\nborder: none;\n\t";
// The band and unit captions under the plots.
inline constexpr char bandCaptionSheet[] = "color:rgb(255, 255, 255);  ";
// The delete-confirmation bars and their two buttons.
inline constexpr char redBarSheet[] = "border: none;\nbackground-color: rgb(255,0,0)";

inline constexpr char addButtonSheet[] =
    "QPushButton{\nborder-image: url(:/png/pic/png/add.png); \ncolor:rgb(255, 255, 255);  \n"
    "border:2px solid rgb(255, 255, 255);\n}\nQPushButton:hover\n{\ncolor:rgb(255, 255, 255);  \n"
    "border:2px solid rgb(108, 0, 255);\n}\nQPushButton:pressed\n{\ncolor:rgb(255, 255, 255);  \n"
    "border:2px solid rgb(30, 3, 77);\n}\nQPushButton:disabled\n{\n"
    "border-image: url(:/png/pic/png/add-hui.png); \n}";
// Check marks of the custom slots (and of the Stereo factory presets); greyed while they
// are disabled, as Copy is without a user file to keep the copy.
inline constexpr char checkMarkSheet[] =
    "QPushButton{\nborder: none;\nbackground-color: rgb(49,44,92)\n}\nQPushButton\n{\n"
    "border-image:url(:/png/pic/png/check.png);\n}\nQPushButton:disabled\n{\n"
    "border-image:url(:/png/pic/png/check-hui.png);\n}";
// Check marks of the Surround factory presets.
inline constexpr char factoryCheckSheet[] =
    "QPushButton{\nborder: none;\nbackground-color: rgb(49,44,92);\n"
    "border-image:url(:/png/pic/png/check.png);\n}\nQPushButton:disabled\n{\n"
    "border-image:url(:/png/pic/png/check-hui.png);\n}\n\n";
inline constexpr char deleteButtonSheet[] =
    "QPushButton{\nborder-image: url(:/png/pic/png/del.png); \ncolor:rgb(255, 255, 255);  \n}\n"
    "QPushButton:hover\n{\ncolor:rgb(255, 255, 255);  \n}\nQPushButton:pressed\n{\n"
    "color:rgb(255, 255, 255);  \n}";
// Delete buttons of the Surround custom slots.
inline constexpr char surroundDeleteSheet[] =
    "QPushButton{\nborder: none;\nbackground-color: rgb(49,44,92)\n}\nQPushButton\n"
    "{border-image: url(:/png/pic/png/del.png); \ncolor:rgb(255, 255, 255);  \n}\n";
// The close buttons of the title bar and of the no-headset screen.
inline constexpr char closeSheet[] =
    "QPushButton{\nborder: none;\nborder-image:url(:/fx/pic/fx/guanbi-灰色.png);\n}\nQPushButton:hover\n{\n"
    "border-image: url(:/controls/pic/control/close.png); \n}\n";

inline constexpr char volumeSliderSheet[] =
    "QSlider::add-page:horizontal\n{     \nbackground: rgb(18,18,18\n);\n\n        height:2px;\n"
    "border-radius:3px;\n}\nQSlider::sub-page:horizontal \n{border-radius:3px;\n"
    "        background-color: qlineargradient(x1:1,y1:1,x2:0,y2:0,stop:0 #C4281A, stop:1 #E46B38);\n"
    "        height:2px;\n}\nQSlider::groove:horizontal \n{\n        background:transparent;\n"
    "        height:6px;\n\n}\nQSlider::handle:horizontal \n{\n     height: 16px;\n     width:16px;\n"
    "     border-image: url(:/controls/pic/control/button.png);\n     margin: -5 -0px; \n}";
inline constexpr char eqSliderSheet[] =
    "QSlider::add-page:vertical\n{     \nbackground: qlineargradient(x1:0, y1:0, x2:1, y2:1,\n"
    "stop:0 #C4281A, stop:1 #E46B38);\n\n        width:2px;\nborder-radius:3px;\n}\n"
    "QSlider::sub-page:vertical \n{border-radius:3px;\n        background-color: rgb(49,43,90);\n"
    "        width:2px;\n}\nQSlider::groove:vertical \n{\n        background:transparent;\n"
    "        width:6px;\n\n}\nQSlider::handle:vertical \n{\n     height: 16px;\n     width:16px;\n"
    "     border-image: url(:/controls/pic/control/button.png);\n     margin: -0 -5px; \n}";
inline constexpr char presetScrollSheet[] =
    "QScrollArea{\nborder: none;\n}\nQScrollBar:vertical {\nborder: none;\nwidth: 5px;\n"
    "margin: 0px 0 0px 0;\n}\nQScrollBar::handle:vertical {\nbackground-color: rgb(150,150,150);\n"
    "min-height: 80px;\nborder-radius: 5px;\nborder: none;\n}\nQScrollBar::add-line:vertical {\n"
    "border: 0px solid grey;\nbackground: #32CC99;\nheight: 0px;\nsubcontrol-position: bottom;\n"
    "subcontrol-origin: margin;\n}\nQScrollBar::sub-line:vertical {\nborder: 0px solid grey;\n"
    "background: #32CC99;\nheight: 0px;\nsubcontrol-position: top;\nsubcontrol-origin: margin;\n}\n"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {\nbackground: none;\nwidth: 0px;\n"
    "height: 0px;\n}";
// Preset radio buttons: no indicator, grey text that turns red when checked.
inline constexpr char presetRadioSheet[] =
    "/*隐藏点选指示器,也就是前面那个圈*/\nQRadioButton::indicator {\n   width: 0px;\n   height: 0px;\n}\n"
    "QRadioButton{\n\tcolor:rgb(150,150,150);\n}\nQRadioButton::checked{\n\tcolor:rgb(196,40,26);\n}\n\n"
    "QRadioButton::indicator::checked {\n  \timage: url(:/controls/pic/control/radiobutton.png);\n}";

} // namespace formsheet
