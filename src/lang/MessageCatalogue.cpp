#include "lang/MessageCatalogue.h"

#include "base/PluginError.h"

#include <algorithm>
#include <array>

namespace provozmat {

namespace {

constexpr std::u16string_view kGuidNovy = u"{B24F7317-2850-4E23-84C2-23759E2104BD}";
constexpr std::u16string_view kGuidOprava = u"{E72DC09D-A06D-4712-B44E-40F8D4023DD9}";
constexpr std::u16string_view kGuidZrusit = u"{69B3748A-4A0D-4FAF-95DA-C5A86EAAF64C}";

// Fields: SelfIdent, H (Czech), SK (Slovak), W, GUID, I (note), E (English), D (German).
// clang-format off
constexpr std::array<TplgHlaska, kPosledniHlaska + 1> kKatalog{{
    {  0, u"", u"", 5000000, u"", u"", u"", u""},
    {  1, u"OK", u"OK", 5000001, u"", u"text na klávese OK", u"OK", u"OK"},
    {  2, u"Storno", u"Storno", 5000002, u"", u"text na klávese Storno", u"Cancel", u""},
    {  3, u"Uložit změny ?", u"Uložiť zmeny ?", 5000003, u"", u"", u"", u""},
    {  4, u"Prázdná nebo chybně zadaná položka", u"Prázdna alebo chybne zadaná položka", 5000004, u"", u"", u"", u""},
    {  5, u"Opravdu si přejete smazat aktuální záznam ?", u"Naozaj si želáte zmazať aktuálny záznam ?", 5000005, u"", u"", u"", u""},
    {  6, u"Opravdu si přejete smazat\1 všechny \1označené záznamy", u"Naozaj si želáte zmazať\1 všetky \1označené záznamy", 5000006, u"", u"", u"", u""},
    {  7, u"(není)", u"(nie je)", 5000007, u"", u"", u"(none)", u""},
    {  8, u"Plugin vyžaduje minimální verzi Orvianu \1%s\1 !", u"Plugin vyžaduje minimálnu verziu Orvianu \1%s\1 !", 5000008, u"", u"", u"", u""},
    {  9, u"Akce nemůže být spuštěna nad aktuálním přehledem (chyba č. %d)!", u"Akcia nemôže byť spustená nad aktuálnym prehľadom (chyba č. %d)!", 5000009, u"", u"", u"", u""},
    { 10, u"Editace", u"Editácia", 5000010, u"", u"", u"", u""},
    { 11, u"Nový", u"Nový", 5000011, kGuidNovy, u"", u"", u""},
    { 12, u"Oprava", u"Oprava", 5000012, kGuidOprava, u"", u"", u""},
    { 13, u"Zrušit", u"Zrušiť", 5000013, kGuidZrusit, u"", u"", u""},
    { 14, u"pouze ke čtení", u"iba na čítanie", 5000014, u"", u"", u"", u""},
    { 15, u"Zavřít", u"Zavrieť", 5000015, u"", u"", u"", u""},
    { 16, u"Index se v databázi změnil", u"Index sa v databáze zmenil", 5000016, u"", u"", u"", u""},
    { 17, u"Index v databázi chybí", u"Index v databáze chýba", 5000017, u"", u"", u"", u""},
    { 18, u"Kontrola pluginu %s (%s)", u"Kontrola pluginu %s (%s)", 5000018, u"", u"", u"", u""},
    { 19, u"Spustit", u"Spustiť", 5000019, u"", u"", u"", u""},
    { 20, u"Změnové skripty", u"Zmenové skripty", 5000020, u"", u"", u"", u""},
    { 21, u"Kontrola tabulek", u"Kontrola tabuliek", 5000021, u"", u"", u"", u""},
    { 22, u"Kontrola jednotlivých atributů", u"Kontrola jednotlivých atribútov", 5000022, u"", u"", u"", u""},
    { 23, u"Kontrola unikátních klíčů", u"Kontrola unikátnych kľúčov", 5000023, u"", u"", u"", u""},
    { 24, u"Kontrola integritních omezení", u"Kontrola integritných obmedzení", 5000024, u"", u"", u"", u""},
    { 25, u"Kontrola cizích klíčů", u"Kontrola cudzích kľúčov", 5000025, u"", u"", u"", u""},
    { 26, u"Kontrola uložených procedur", u"Kontrola uložených procedúr", 5000026, u"", u"", u"", u""},
    { 27, u"Kontrola triggerů", u"Kontrola triggerov", 5000027, u"", u"", u"", u""},
    { 28, u"Kontrola indexů", u"Kontrola indexov", 5000028, u"", u"", u"", u""},
    { 29, u"Kontrola def.přehledů a externích akcí", u"Kontrola def.prehľadov a externých akcií", 5000029, u"", u"", u"", u""},
    { 30, u"Import formulářů, filtrů a opisů", u"Import formulárov, filtrov a opisov", 5000030, u"", u"", u"", u""},
    { 31, u"Změnový skript už byl proveden někým jiným - informace by měla být v žurnálu !", u"Zmenový skript už bol vykonaný niekým iným - informácia by mala byť v žurnáli !", 5000031, u"", u"", u"", u""},
    { 32, u"Update z verze %s na verzi %s.", u"Update z verzie %s na verziu %s.", 5000032, u"", u"", u"", u""},
    { 33, u"změnových skriptů: %d", u"zmenových skriptov: %d", 5000033, u"", u"", u"", u""},
    { 34, u"Hotovo", u"Hotovo", 5000034, u"", u"", u"", u""},
    { 35, u"Aplikace %s bude ukončena.", u"Aplikácia %s bude ukončená.", 5000035, u"", u"", u"", u""},
    { 36, u"Byla detekována změna struktury.", u"Bola zistená zmena štruktúry.", 5000036, u"", u"", u"", u""},
    { 37, u"Uvedené tabulky v databázi chybí.", u"Uvedené tabuľky v databáze chýbajú.", 5000037, u"", u"", u"", u""},
    { 38, u"Vytvoření a změna základních přehledů, akcí a vazeb.", u"Vytvorenie a zmena základných prehľadov, akcií a väzieb.", 5000038, u"", u"", u"", u""},
    { 39, u"Změna struktury databáze", u"Zmena štruktúry databázy", 5000039, u"", u"", u"", u""},
    { 40, u"Opravdu si přejete provést výše uvedené změny ?", u"Naozaj si želáte vykonať vyššie uvedené zmeny ?", 5000040, u"", u"", u"", u""},
    { 41, u"Před provedením změn doporučujeme provést zálohu databáze.", u"Pred vykonaním zmien odporúčame vykonať zálohu databázy.", 5000041, u"", u"", u"", u""},
    { 42, u"&Zálohování...", u"&Zálohovanie...", 5000042, u"", u"znak & označuje horkou klávesu", u"", u""},
    { 43, u"Provést", u"Vykonať", 5000043, u"", u"", u"", u""},
    { 44, u"&Ukaž SQL skript...", u"&Ukáž SQL skript...", 5000044, u"", u"znak & označuje horkou klávesu", u"", u""},
    { 45, u"Definované formuláře", u"Definované formuláre", 5000045, u"", u"", u"", u""},
    { 46, u"Definované filtry", u"Definované filtre", 5000046, u"", u"", u"", u""},
    { 47, u"Definované opisy", u"Definované opisy", 5000047, u"", u"", u"", u""},
    { 48, u"Byly nalezeny nové soubory pro import.\r\rPokud neprovedete import v tuto chvíli, máte možnost ho provést později ručně - soubory jsou umístěny v podadresáři SYSTEM v cestě, kde se nachází plugin %s.", u"Boli nájdené nové súbory na import.\r\rAk nevykonáte import v tejto chvíli, máte možnosť ho vykonať neskôr ručne - súbory sú umiestnené v podadresári SYSTEM v ceste, kde sa nachádza plugin %s.", 5000048, u"", u"", u"", u""},
    { 49, u"O pluginu...", u"O plugine...", 5000049, u"", u"", u"", u""},
    { 50, u"Kopírovat", u"Kopírovať", 5000050, u"", u"", u"", u""},
    { 51, u"Název", u"Názov", 5000051, u"", u"", u"", u""},
    { 52, u"Hodnota", u"Hodnota", 5000052, u"", u"", u"", u""},
    { 53, u"Verze", u"Verzia", 5000053, u"", u"", u"", u""},
    { 54, u"Výrobce", u"Výrobca", 5000054, u"", u"", u"", u""},
    { 55, u"Min. verze %s", u"Min. verzia %s", 5000055, u"", u"", u"", u""},
    { 56, u"JÁDRO", u"JADRO", 5000056, u"", u"", u"", u""},
    { 57, u"Verze v DB", u"Verzia v DB", 5000057, u"", u"", u"", u""},
    { 58, u"Verze pluginu", u"Verzia pluginu", 5000058, u"", u"", u"", u""},
    { 59, u"Verze pluginu je nižší než verze v databázi!", u"Verzia pluginu je nižšia ako verzia v databáze!", 5000059, u"", u"", u"", u""},
    { 60, u"Neznámá akce!", u"Neznáma akcia!", 5000060, u"", u"", u"", u""},
    { 61, u"Je třeba spustit instalaci pluginu!", u"Je potrebné spustiť inštaláciu pluginu!", 5000061, u"", u"", u"", u""},
    { 62, u"Verze pluginu je vyšší než verze v databázi!", u"Verzia pluginu je vyššia ako verzia v databáze!", 5000062, u"", u"", u"", u""},
    { 63, u"Při minulé instalaci nebyly korektně provedeny všechny změny!", u"Pri minulej inštalácii neboli korektne vykonané všetky zmeny!", 5000063, u"", u"", u"", u""},
    { 64, u"Vymazat", u"Vymazať", 5000064, u"", u"", u"", u""},
    { 65, u"Zakázka \1%s\1 je \1uzavřena\1!", u"Zákazka \1%s\1 je \1uzavretá\1!", 5000065, u"", u"", u"", u""},
    { 66, u"Nalezeno více stejných hodnot položky", u"Nájdených viac rovnakých hodnôt položky", 5000066, u"", u"", u"", u""},
    { 67, u"Organizace je zakázána!", u"Organizácia je zakázaná!", 5000067, u"", u"", u"", u""},
    { 68, u"Organizace je blokovaná!", u"Organizácia je blokovaná!", 5000068, u"", u"", u"", u""},
    { 69, u", dluh  %s Kč  ke dni  %s", u", dlh  %s Kč  ku dňu  %s", 5000069, u"", u"", u"", u""},
    { 70, u"Datum posledního autoimportu formulářů", u"Dátum posledného autoimportu formulárov", 5000070, u"", u"", u"", u""},
    { 71, u"Datum posledního autoimportu filtrů", u"Dátum posledného autoimportu filtrov", 5000071, u"", u"", u"", u""},
    { 72, u"Datum posledního autoimportu opisů", u"Dátum posledného autoimportu opisov", 5000072, u"", u"", u"", u""},
    { 73, u"Systémové číslo", u"Systémové číslo", 5000073, u"", u"", u"", u""},
    { 74, u"Sys.č.", u"Sys.č.", 5000074, u"", u"", u"", u""},
    { 75, u"Autor", u"Autor", 5000075, u"", u"", u"Author", u"Autor"},
    { 76, u"Datum pořízení", u"Dátum vytvorenia", 5000076, u"", u"", u"Creation date", u""},
    { 77, u"Změnil", u"Zmenil", 5000077, u"", u"", u"", u""},
    { 78, u"Datum změny", u"Dátum zmeny", 5000078, u"", u"", u"", u""},
    { 79, u"Blokování editoru", u"Blokovanie editora", 5000079, u"", u"", u"", u""},
    { 80, u"Nový...", u"Nový...", 5000080, u"", u"", u"", u""},
    { 81, u"Oprava...", u"Oprava...", 5000081, u"", u"", u"", u""},
    { 82, u"Zrušit", u"Zrušiť", 5000082, u"", u"", u"", u""},
    { 83, u"Obnovit", u"Obnoviť", 5000083, u"", u"", u"", u""},
    { 84, u"Ano", u"Áno", 5000084, u"", u"", u"", u""},
    { 85, u"Ne", u"Nie", 5000085, u"", u"", u"", u""},
    { 86, u"Nebyl nalezen def.přehled \1%s\1 (%s)!", u"Nebol nájdený def.prehľad \1%s\1 (%s)!", 5000086, u"", u"", u"", u""},
    { 87, u"Nebyl nalezen def.přehled číslo \1%s\1!", u"Nebol nájdený def.prehľad číslo \1%s\1!", 5000087, u"", u"", u"", u""},
    { 88, u"Definované přehledy a jejich akce", u"Definované prehľady a ich akcie", 5000088, u"", u"", u"", u""},
    { 89, u"Externí akce", u"Externé akcie", 5000089, u"", u"", u"", u""},
    { 90, u"Akce pro přehled č.%d", u"Akcie pre prehľad č.%d", 5000090, u"", u"", u"", u""},
    { 91, u"Definované vazby", u"Definované väzby", 5000091, u"", u"", u"", u""},
    { 92, u"Externí atributy", u"Externé atribúty", 5000092, u"", u"", u"", u""},
    { 93, u"Ext.atribut %s.%s", u"Ext.atribút %s.%s", 5000093, u"", u"", u"", u""},
    { 94, u"Uživatelské soudečky", u"Užívateľské súdočky", 5000094, u"", u"", u"", u""},
    { 95, u"Pořadí soudečků", u"Poradie súdočkov", 5000095, u"", u"", u"", u""},
    { 96, u"Instalace", u"Inštalácia", 5000096, u"", u"", u"", u""},
    { 97, u"Základní informace", u"Základné informácie", 5000097, u"", u"", u"", u""},
    { 98, u"Technický popis", u"Technický popis", 5000098, u"", u"", u"", u""},
    { 99, u"Min. verze SQL Serveru", u"Min. verzia SQL Servera", 5000099, u"", u"", u"", u""},
    {100, u"<neinstalováno>", u"<nenainštalované>", 5000100, u"", u"", u"", u""},
    {101, u"Instalovaná verze", u"Nainštalovaná verzia", 5000101, u"", u"", u"", u""},
    {102, u"Umístění", u"Umiestnenie", 5000102, u"", u"", u"", u""},
    {103, u"Přerušit", u"Prerušiť", 5000103, u"", u"", u"", u""},
    {104, u"Opravdu chcete akci přerušit?", u"Naozaj chcete akciu prerušiť?", 5000104, u"", u"", u"", u""},
    {105, u"Plugin vyžaduje MS SQL Server verze minimálně \1%s\1!", u"Plugin vyžaduje MS SQL Server verzie minimálne \1%s\1!", 5000105, u"", u"", u"", u""},
    {106, u"Návazný číselník s filtrací", u"Nadväzný číselník s filtráciou", 5000106, u"", u"", u"", u""},
    {107, u"Návazný číselník", u"Nadväzný číselník", 5000107, u"", u"", u"", u""},
    {108, u"Odesílám poštu", u"Odosielam poštu", 5000108, u"", u"", u"", u""},
    {109, u"Nebyl nalezen program OvMail.EXE pro posílání pošty!", u"Nebol nájdený program OvMail.EXE na posielanie pošty!", 5000109, u"", u"", u"", u""},
    {110, u"Nepodařilo se vytvořit konfigurační soubor!", u"Nepodarilo sa vytvoriť konfiguračný súbor!", 5000110, u"", u"", u"", u""},
    {111, u"Kontrola externích atributů", u"Kontrola externých atribútov", 5000111, u"", u"", u"", u""},
    {112, u"Středisko \1%s\1 je \1zakázáno\1!", u"Stredisko \1%s\1 je \1zakázané\1!", 5000112, u"", u"", u"", u""},
    {113, u"Registrovaný?", u"Registrovaný?", 5000113, u"", u"", u"", u""},
    {114, u"Identifikátor", u"Identifikátor", 5000114, u"", u"", u"", u""},
    {115, u"<nepoužito>", u"<nepoužité>", 5000115, u"", u"", u"", u""},
    {116, u"Logo", u"Logo", 5000116, u"", u"", u"", u""},
    {117, u"Externí hlášky", u"Externé hlásenia", 5000117, u"", u"", u"", u""},
    {118, u"Doplnění externích hlášek", u"Doplnenie externých hlásení", 5000118, u"", u"", u"", u""},
    {119, u"Identifikace výrobce", u"Identifikácia výrobcu", 5000119, u"", u"", u"", u""},
    {120, u"Historie verzí", u"História verzií", 5000120, u"", u"", u"", u""},
    {121, u"Záznam je blokován jiným uživatelem - nelze smazat!", u"Záznam je blokovaný iným užívateľom - nedá sa zmazať!", 5000121, u"", u"", u"", u""},
    {122, u"Definovaný přehled %s nebyl nalezen!", u"Definovaný prehľad %s nebol nájdený!", 5000122, u"", u"", u"", u""},
    {123, u"Čísla přehledů byla vyčerpána!", u"Čísla prehľadov boli vyčerpané!", 5000123, u"", u"", u"", u""},
    {124, u"Předchozí rok", u"Predchádzajúci rok", 5000124, u"", u"", u"", u""},
    {125, u"Předchozí měsíc", u"Predchádzajúci mesiac", 5000125, u"", u"", u"", u""},
    {126, u"Následující měsíc", u"Nasledujúci mesiac", 5000126, u"", u"", u"", u""},
    {127, u"Následující rok", u"Nasledujúci rok", 5000127, u"", u"", u"", u""},
    {128, u"Zvolte datum", u"Zvoľte dátum", 5000128, u"", u"", u"", u""},
    {129, u"Dnes", u"Dnes", 5000129, u"", u"", u"", u""},
    {130, u"Kalendář", u"Kalendár", 5000130, u"", u"", u"", u""},
    {131, u"Aktuální čas", u"Aktuálny čas", 5000131, u"", u"", u"", u""},
    {132, u"Kalkulačka", u"Kalkulačka", 5000132, u"", u"", u"", u""},
    {133, u"Kontrola uživatelských funkcí", u"Kontrola užívateľských funkcií", 5000133, u"", u"", u"", u""},
    {134, u"Převod do UNICODE", u"Prevod do UNICODE", 5000134, u"", u"", u"", u""},
    {135, u"Doplnění přehledů pro uživ. atributy", u"Doplnenie prehľadov pre užív. atribúty", 5000135, u"", u"", u"", u""},
    {136, u"Skupina nástrojů přizpůsobení", u"Skupina nástrojov prispôsobenia", 5000136, u"", u"", u"", u""},
    {137, u"Doplnění skupiny", u"Doplnenie skupiny", 5000137, u"", u"", u"", u""},
    {138, u"Vlastní instalace", u"Vlastná inštalácia", 5000138, u"", u"", u"", u""},
    {139, u"hotovo", u"hotovo", 5000139, u"", u"", u"", u""},
    {140, u"Omezení tohoto názvu v databázi přebývá", u"Obmedzenie tohto názvu v databáze prebýva", 5000140, u"", u"", u"", u""},
    {141, u"Počítaný atribut tohoto názvu v tabulce chybí", u"Počítaný atribút tohto názvu v tabuľke chýba", 5000141, u"", u"", u"", u""},
    {142, u"Atribut tohoto názvu v tabulce chybí", u"Atribút tohto názvu v tabuľke chýba", 5000142, u"", u"", u"", u""},
    {143, u"Změna počítaného atributu %s -> %s (smazání)", u"Zmena počítaného atribútu %s -> %s (zmazanie)", 5000143, u"", u"", u"", u""},
    {144, u"Změna počítaného atributu %s -> %s (přidání)", u"Zmena počítaného atribútu %s -> %s (pridanie)", 5000144, u"", u"", u"", u""},
    {145, u"Změna počítaného atributu %s -> %s (kód v DB)", u"Zmena počítaného atribútu %s -> %s (kód v DB)", 5000145, u"", u"", u"", u""},
    {146, u"Atribut tohoto názvu v tabulce přebývá", u"Atribút tohto názvu v tabuľke prebýva", 5000146, u"", u"", u"", u""},
    {147, u"Omezení je v databází vypnuto", u"Obmedzenie je v databáze vypnuté", 5000147, u"", u"", u"", u""},
    {148, u"Omezení tohoto názvu v databázi chybí", u"Obmedzenie tohto názvu v databáze chýba", 5000148, u"", u"", u"", u""},
    {149, u"Omezení tohoto názvu se v databázi změnilo", u"Obmedzenie tohto názvu sa v databáze zmenilo", 5000149, u"", u"", u"", u""},
    {150, u"Omezení tohoto názvu se v databázi změnilo (kód v DB)", u"Obmedzenie tohto názvu sa v databáze zmenilo (kód v DB)", 5000150, u"", u"", u"", u""},
    {151, u"Omezení je v databází vypnuto", u"Obmedzenie je v databáze vypnuté", 5000151, u"", u"", u"", u""},
    {152, u"Uložená procedura tohoto názvu v databázi chybí", u"Uložená procedúra tohto názvu v databáze chýba", 5000152, u"", u"", u"", u""},
    {153, u"Nastavení práv k nové uložené proceduře", u"Nastavenie práv k novej uloženej procedúre", 5000153, u"", u"", u"", u""},
    {154, u"Uložená procedura se změnila", u"Uložená procedúra sa zmenila", 5000154, u"", u"", u"", u""},
    {155, u"Uživatelská funkce tohoto názvu v databázi chybí", u"Užívateľská funkcia tohto názvu v databáze chýba", 5000155, u"", u"", u"", u""},
    {156, u"Nastavení práv k nové uživatelské funkci", u"Nastavenie práv k novej užívateľskej funkcii", 5000156, u"", u"", u"", u""},
    {157, u"Uživatelská funkce se změnila", u"Užívateľská funkcia sa zmenila", 5000157, u"", u"", u"", u""},
    {158, u"Trigger v databázi chybí", u"Trigger v databáze chýba", 5000158, u"", u"", u"", u""},
    {159, u"Trigger v databázi přebývá", u"Trigger v databáze prebýva", 5000159, u"", u"", u"", u""},
    {160, u"Trigger je v databázi vypnut", u"Trigger je v databáze vypnutý", 5000160, u"", u"", u"", u""},
    {161, u"Trigger v databázi se změnil", u"Trigger v databáze sa zmenil", 5000161, u"", u"", u"", u""},
    {162, u"Index je v databázi přejmenován", u"Index je v databáze premenovaný", 5000162, u"", u"", u"", u""},
    {163, u"Heslo", u"Heslo", 5000163, u"", u"", u"", u""},
    {164, u"Zobrazit heslo", u"Zobraziť heslo", 5000164, u"", u"", u"", u""},
    {165, u"Adresář pro uložení jazykových DLL", u"Adresár na uloženie jazykových DLL", 5000165, u"", u"", u"", u""},
    {166, u"Výsledek", u"Výsledok", 5000166, u"", u"", u"", u""},
    {167, u"Plugin neobsahuje žádné hlášky!", u"Plugin neobsahuje žiadne hlásenia!", 5000167, u"", u"", u"", u""},
    {168, u"Není zadáno heslo!", u"Nie je zadané heslo!", 5000168, u"", u"", u"", u""},
    {169, u"Není zadán adresář pro uložení jazykových DLL!", u"Nie je zadaný adresár na uloženie jazykových DLL!", 5000169, u"", u"", u"", u""},
    {170, u"Adresář pro uložení jazykových DLL neexistuje!", u"Adresár na uloženie jazykových DLL neexistuje!", 5000170, u"", u"", u"", u""},
    {171, u"Podpora tiché instalace pluginů", u"Podpora tichej inštalácie pluginov", 5000171, u"", u"", u"", u""},
    {172, u"Tento plugin nepodporuje automatickou odinstalaci.", u"Tento plugin nepodporuje automatickú odinštaláciu.", 5000172, u"", u"", u"", u""},
}};
// clang-format on

// Every entry sits at its own index with its own message number, so that the number of a
// message and its position never disagree.
constexpr bool indexesAndNumbersAgree() {
    for (std::size_t i = 0; i < kKatalog.size(); ++i) {
        if (kKatalog[i].SelfIdent != i || kKatalog[i].W != kZakladCislaHlasky + i)
            return false;
    }
    return true;
}
static_assert(indexesAndNumbersAgree(), "catalogue entries out of order");

} // namespace

std::span<const TplgHlaska> katalogHlasek() {
    return kKatalog;
}

const TplgHlaska& zaznamHlasky(int index) {
    if (index < kPrvniHlaska || index > kPosledniHlaska)
        throw PluginError(QStringLiteral("Hláška číslo %1 v katalogu neexistuje (platná čísla jsou %2 až %3)")
                              .arg(index)
                              .arg(kPrvniHlaska)
                              .arg(kPosledniHlaska));
    return kKatalog[static_cast<std::size_t>(index)];
}

std::optional<int> indexCislaHlasky(QStringView text) {
    // Only a plain run of ASCII digits is a message number: the plug-in raises these texts
    // itself and never writes a sign, spaces or another kind of digit, so " 5000059" or
    // "+5000059" are ordinary messages. Leading zeros do not change the number ("05000059" is
    // message 59). The value is accumulated with a ceiling so that any length of digits is
    // safe; whatever lies beyond the last message number matches nothing.
    if (text.isEmpty())
        return std::nullopt;
    constexpr std::uint64_t kCeiling = kZakladCislaHlasky + kPosledniHlaska + 1;
    std::uint64_t number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = std::min<std::uint64_t>(number * 10 + (c.unicode() - u'0'), kCeiling);
    }
    if (number < kZakladCislaHlasky)
        return std::nullopt;
    for (int i = kPrvniHlaska; i <= kPosledniHlaska; ++i) {
        if (kKatalog[static_cast<std::size_t>(i)].W == number)
            return i;
    }
    return std::nullopt;
}

} // namespace provozmat
