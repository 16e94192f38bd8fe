#include "app/ui_text.h"

namespace
{

// Each language's texts one after another, each ended by a NUL, in the order
// of UiTextId, then an empty one: no table of pointers to relocate.
// A mnemonic is the same letter in both, so keyboard habits carry over.
const char kEnglish[] = "&Copy as\0"
                        "&Paste colour\tCtrl+V\0"
                        "&Average\0"
                        "&Recent colours\0"
                        "&Name\0"
                        "C&ontrast\0"
                        "&Hex\0"
                        "&Bare\0"
                        "&rgb()\0"
                        "&List\0"
                        "h&sl()\0"
                        "&COLORREF\0"
                        "&oklch()\0"
                        "&1 point\0"
                        "&%d %s %d\0"
                        "(none yet)\0"
                        "%s (%s)\0"
                        "near %s (%s)\0"
                        "black\0"
                        "white\0"
                        "grey\0"
                        "red\0"
                        "orange\0"
                        "yellow\0"
                        "green\0"
                        "blue\0"
                        "purple\0"
                        "pink\0"
                        "brown\0"
                        "%s %s with %s\0"
                        "fail\0"
                        "AA large\0"
                        "AA\0"
                        "AAA\0"
                        "pick a second colour\0"
                        "Pick key: \0"
                        "none\0"
                        "not understood: \0"
                        " (in use by another program)\0"
                        "Pa&lette\0"
                        "&Add current colour\tCtrl+D\0"
                        "&Remove current colour\0"
                        "Paste &into palette\tCtrl+Shift+V\0"
                        "&Copy palette as\0"
                        "&Hex codes\0"
                        "&CSS custom properties\0"
                        "&GIMP palette\0"
                        "&Paint.NET palette\0"
                        "(empty: Ctrl+D keeps the current colour)\0"
                        "%s, line %d: %s (read-only)\0"
                        "not a GIMP palette\0"
                        "not a colour\0"
                        "over 256 colours\0"
                        "name not UTF-8\0"
                        "over 1,000 bytes\0"
                        "%s: over 256 KiB (read-only)\0"
                        "%s: cannot be read (read-only)\0"
                        "not saved: %s\0"
                        "Pick from a &still\0"
                        "Still key: \0";

// Shift-JIS bytes; each line's text in the comment beside it.
// clang-format off
const char kJapanese[] =
    "\x83R\x83s\x81[\x8C`\x8E\xAE(&C)\0" // コピー形式(&C)
    "\x90\x46\x82\xF0\x93\\\x82\xE8\x95t\x82\xAF(&P)\tCtrl+V\0" // 色を貼り付け(&P) Ctrl+V
    "\x95\xBD\x8B\xCF(&A)\0" // 平均(&A)
    "\x8D\xC5\x8B\xDF\x82\xCC\x90\x46(&R)\0" // 最近の色(&R)
    "\x90\x46\x96\xBC(&N)\0" // 色名(&N)
    "\x83R\x83\x93\x83g\x83\x89\x83X\x83g(&O)\0" // コントラスト(&O)
    "16 \x90i\x90\x94(&H)\0" // 16 進数(&H)
    "16 \x90i\x90\x94\x81\x45# \x82\xC8\x82\xB5(&B)\0" // 16 進数・# なし(&B)
    "rgb()(&R)\0"
    "\x83J\x83\x93\x83}\x8B\xE6\x90\xD8\x82\xE8(&L)\0" // カンマ区切り(&L)
    "hsl()(&S)\0"
    "COLORREF(&C)\0"
    "oklch()(&O)\0"
    "1 \x83s\x83N\x83Z\x83\x8B(&1)\0" // 1 ピクセル(&1)
    "%d %s %d(&%d)\0"
    "(\x82\xDC\x82\xBE\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1)\0" // (まだありません)
    "%s (%s)\0"
    "%s \x82\xC9\x8B\xDF\x82\xA2\x90\x46 (%s)\0" // %s に近い色 (%s)
    "\x8D\x95\0" // 黒
    "\x94\x92\0" // 白
    "\x8A\x44\x90\x46\0" // 灰色
    "\x90\xD4\0" // 赤
    "\x83I\x83\x8C\x83\x93\x83W\0" // オレンジ
    "\x89\xA9\x90\x46\0" // 黄色
    "\x97\xCE\0" // 緑
    "\x90\xC2\0" // 青
    "\x8E\x87\0" // 紫
    "\x83s\x83\x93\x83N\0" // ピンク
    "\x92\x83\x90\x46\0" // 茶色
    "%s %s (%s \x82\xC9\x91\xCE\x82\xB5\x82\xC4)\0" // %s %s (%s に対して)
    "\x95s\x93K\x8D\x87\0" // 不適合
    "AA \x91\xE5\x82\xAB\x82\xC8\x95\xB6\x8E\x9A\0" // AA 大きな文字
    "AA\0"
    "AAA\0"
    "\x94\xE4\x82\xD7\x82\xE9\x90\x46\x82\xAA\x82\xDC\x82\xBE\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\0" // 比べる色がまだありません
    "\x83X\x83|\x83\x43\x83g\x83L\x81[: \0" // スポイトキー:
    "\x82\xC8\x82\xB5\0" // なし
    "\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1: \0" // 読み取れません:
    " (\x91\xBC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x8Eg\x97p\x92\x86)\0" // (他のプログラムが使用中)
    "\x83p\x83\x8C\x83" "b\x83g(&L)\0" // パレット(&L)
    "\x8C\xBB\x8D\xDD\x82\xCC\x90" "F\x82\xF0\x92\xC7\x89\xC1(&A)\tCtrl+D\0" // 現在の色を追加(&A) Ctrl+D
    "\x8C\xBB\x8D\xDD\x82\xCC\x90" "F\x82\xF0\x8D\xED\x8F\x9C(&R)\0" // 現在の色を削除(&R)
    "\x83p\x83\x8C\x83" "b\x83g\x82\xC9\x93\\\x82\xE8\x95t\x82\xAF(&I)\tCtrl+Shift+V\0" // パレットに貼り付け(&I) Ctrl+Shift+V
    "\x83p\x83\x8C\x83" "b\x83g\x82\xF0\x83R\x83s\x81[(&C)\0" // パレットをコピー(&C)
    "16 \x90i\x83R\x81[\x83h(&H)\0" // 16 進コード(&H)
    "CSS \x83J\x83X\x83^\x83\x80\x83v\x83\x8D\x83p\x83" "e\x83" "B(&C)\0" // CSS カスタムプロパティ(&C)
    "GIMP \x83p\x83\x8C\x83" "b\x83g(&G)\0" // GIMP パレット(&G)
    "Paint.NET \x83p\x83\x8C\x83" "b\x83g(&P)\0" // Paint.NET パレット(&P)
    "(\x8B\xF3: Ctrl+D \x82\xC5\x8C\xBB\x8D\xDD\x82\xCC\x90" "F\x82\xF0\x95\xDB\x91\xB6)\0" // (空: Ctrl+D で現在の色を保存)
    "%s %d \x8Ds\x96\xDA: %s (\x93\xC7\x82\xDD\x8E\xE6\x82\xE8\x90\xEA\x97p)\0" // %s %d 行目: %s (読み取り専用)
    "GIMP \x83p\x83\x8C\x83" "b\x83g\x82\xC5\x82\xCD\x82\xC8\x82\xA2\0" // GIMP パレットではない
    "\x90" "F\x82\xC5\x82\xCD\x82\xC8\x82\xA2\0" // 色ではない
    "256 \x90" "F\x82\xF0\x92\xB4\x82\xA6\x82\xE9\0" // 256 色を超える
    "\x96\xBC\x91O\x82\xAA UTF-8 \x82\xC5\x82\xCD\x82\xC8\x82\xA2\0" // 名前が UTF-8 ではない
    "1,000 \x83o\x83" "C\x83g\x82\xF0\x92\xB4\x82\xA6\x82\xE9\0" // 1,000 バイトを超える
    "%s: 256 KiB \x82\xF0\x92\xB4\x82\xA6\x82\xE9 (\x93\xC7\x82\xDD\x8E\xE6\x82\xE8\x90\xEA\x97p)\0" // %s: 256 KiB を超える (読み取り専用)
    "%s: \x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xC8\x82\xA2 (\x93\xC7\x82\xDD\x8E\xE6\x82\xE8\x90\xEA\x97p)\0" // %s: 読み取れない (読み取り専用)
    "\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1: %s\0" // 保存できません: %s
    "\x90\xC3\x8E~\x89\xE6\x82\xA9\x82\xE7\x90\x46\x82\xF0\x8E\xE6\x82\xE9(&S)\0" // 静止画から色を取る(&S)
    "\x90\xC3\x8E~\x89\xE6\x83L\x81[: \0"; // 静止画キー:
// clang-format on

const unsigned kJapaneseCodePage = 932;
const unsigned short kLangJapanese = 0x11;
const unsigned short kPrimaryLanguageMask = 0x3FF;

UiLanguage g_language = kUiEnglish;

} // namespace

UiLanguage ChooseUiLanguage(unsigned codePage, unsigned short uiLanguageId)
{
    bool japanese =
        codePage == kJapaneseCodePage && (uiLanguageId & kPrimaryLanguageMask) == kLangJapanese;
    return japanese ? kUiJapanese : kUiEnglish;
}

void UseUiLanguage(UiLanguage language)
{
    g_language = language;
}

const char *UiTextIn(UiLanguage language, UiTextId id)
{
    const char *text = language == kUiJapanese ? kJapanese : kEnglish;
    for (int skipped = 0; skipped < id; ++skipped)
        while (*text++) {
        }
    return text;
}

const char *UiText(UiTextId id)
{
    return UiTextIn(g_language, id);
}
