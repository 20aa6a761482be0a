// The tag palette's snippet table and its lookup by component name.
#include "insert/Snippets.h"

namespace insert {

const std::array<TSnippetButton, SnippetButtonCount> SnippetTable{{
    {"Bfont", TPalettePage::TabBasic, 8, "шрифт", R"( <font face="Arial" color="#0000ff" style="font-size: 12pt"></font>)"},
    {"Bbold", TPalettePage::TabBasic, 50, "жирный", R"( <b></b>)"},
    {"Bital", TPalettePage::TabBasic, 84, "курсив", R"( <i></i>)"},
    {"Bcher", TPalettePage::TabBasic, 118, "курсив", R"( <u></u>)"},
    {"Bleft", TPalettePage::TabBasic, 162, "слева", R"( <div align="left"></div>)"},
    {"Bcent", TPalettePage::TabBasic, 196, "по центру", R"( <center></center>)"},
    {"Brigth", TPalettePage::TabBasic, 230, "справа", R"( <div align="right"></div>)"},
    {"Btable", TPalettePage::TabBasic, 308, "таблица", R"( <table border="1"><tr><td></td><td></td></tr></table>)"},
    {"Bps", TPalettePage::TabBasic, 342, "пояснение", R"( <!--  -->)"},
    {"Bline", TPalettePage::TabBasic, 376, "горизонтальная линия", R"( <hr>)"},
    {"Benter", TPalettePage::TabBasic, 410, "переход на следущую строку", R"( <br>)"},
    {"Bh1", TPalettePage::Tadvanced, 8, "Заголовок", R"( <h?></h?>)"},
    {"Bp", TPalettePage::Tadvanced, 42, "Параграф", R"( <p></p>)"},
    {"Bul", TPalettePage::Tadvanced, 76, "Маркированный список", R"( <ul> <li></li> <li></li> </ul>)"},
    {"Bol", TPalettePage::Tadvanced, 110, "Нумерованный список", R"( <ol> <li></li> <li></li> </ol>)"},
    {"Bdl", TPalettePage::Tadvanced, 144, "Голосарий", R"( <dl> <dt></dt> <dd></dd> </dl>)"},
    {"Bpre", TPalettePage::Tadvanced, 184, "Переформатированный текст", R"( <pre> </pre>)"},
    {"Bbutton", TPalettePage::TabControl, 8, "кнопка", R"( <input type="button" name="" value="">)"},
    {"Bsubmit", TPalettePage::TabControl, 42, "переключатель", R"( <input type="submit" name="" value="">)"},
    {"Bedit", TPalettePage::TabControl, 76, "поле ввода", R"( <input type="text" name="" value="">)"},
    {"Bpass", TPalettePage::TabControl, 110, "поле ввода пароля", R"( <input type="password">)"},
    {"Bmemo", TPalettePage::TabControl, 144, "многострочный ввод", R"( <textarea rows="9" cols="60"></textarea>)"},
    {"Bcheck", TPalettePage::TabControl, 178, "флажек", R"( <input type="checkbox" name="" value="">)"},
    {"Bradio", TPalettePage::TabControl, 212, "радио кнопка", R"( <input type="radio" name="" value="1">)"},
    {"Bcombo", TPalettePage::TabControl, 246, "выпадающий список", R"( <select></select>)"},
    {"Blist", TPalettePage::TabControl, 280, "массив строк", R"( <textarea name=""></textarea>)"},
    {"Bhiden", TPalettePage::TabControl, 314, "скрытое поле", R"( <input type="hidden" name="" value="">)"},
    {"Bimg", TPalettePage::TabControl, 348, "изображение с управлением", R"( <input type="image" src="">)"},
    {"Blink", TPalettePage::TabHypper, 8, "гиперссылка", R"( <a href=""></a>)"},
    {"Bmetka", TPalettePage::TabHypper, 42, "метка", R"( <a name=""></a>)"},
    {"Bmail", TPalettePage::TabHypper, 76, "отправить письмо", R"( <a href="mailto:"></a>)"},
    {"Bmarq", TPalettePage::TabMedia, 76, "бегущая строка", R"( <marquee bgcolor="#0000ff"></marquee>)"},
    {"Bphp", TPalettePage::TabPHP, 8, "PHP скрипт", R"( <?></?>)"},
}};

void ForEachSnippetOf(std::string_view name, const std::function<void(std::string_view)>& insert) {
  for (const TSnippetButton& button : SnippetTable) {
    if (button.Name == name) insert(button.Snippet);
  }
}

}  // namespace insert
