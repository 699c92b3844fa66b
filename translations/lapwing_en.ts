<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="be">
<context>
    <name>Lapwing</name>
    <message>
        <source>МС</source>
        <translation>МС</translation>
    </message>
    <message>
        <source>КМС</source>
        <translation>КМС</translation>
    </message>
    <message>
        <source>I р.</source>
        <translation>I р.</translation>
    </message>
    <message>
        <source>II р.</source>
        <translation>II р.</translation>
    </message>
    <message>
        <source>III р.</source>
        <translation>III р.</translation>
    </message>
    <message>
        <source>I юн</source>
        <translation>I юн</translation>
    </message>
    <message>
        <source>II юн</source>
        <translation>II юн</translation>
    </message>
    <message>
        <source>-- Не считать --</source>
        <translation>-- Not counted --</translation>
    </message>
    <message>
        <source>Дарослыя</source>
        <translation>Adults</translation>
    </message>
    <message>
        <source>Юнацкія</source>
        <translation>Juniors</translation>
    </message>
    <message>
        <source>Злучаныя</source>
        <translation>Combined</translation>
    </message>
    <message>
        <source>Не лічыць</source>
        <translation>Not counted</translation>
    </message>
    <message>
        <source>Тут з&apos;яўляецца апрацаваная версія</source>
        <translation>The processed version appears here</translation>
    </message>
    <message>
        <source>Памылка пры адкрыцці файла</source>
        <translation>Error opening the file</translation>
    </message>
    <message>
        <source>у пратаколе няма ніводнага загалоўка групы (&quot;&lt;h2&gt;&quot;), пералічваць няма чаго</source>
        <translation>the protocol has no group heading (&quot;&lt;h2&gt;&quot;): there is nothing to recalculate</translation>
    </message>
    <message>
        <source>Пад загалоўкамі груп няма ніводнай табліцы (&quot;&lt;pre&gt;&quot;): пералічваць няма чаго.</source>
        <translation>There is no table (&quot;&lt;pre&gt;&quot;) under the group headings: there is nothing to recalculate.</translation>
    </message>
    <message>
        <source>Эстафеты капіююцца без змен, іх групы не лічацца: </source>
        <translation>Relays are copied unchanged, their groups are not counted: </translation>
    </message>
    <message>
        <source>Табліцы, слупкі якіх не ўдалося распазнаць, капіююцца без змен, іх групы не лічацца: </source>
        <translation>Tables whose columns could not be recognised are copied unchanged, their groups are not counted: </translation>
    </message>
    <message>
        <source>Гандыкап (слупок &quot;Финиш&quot;): разрады па чыстым часе, месцы як у пратаколе; групы пачынаюць як &quot;Не лічыць&quot;, улічыце іх, калі дазваляюць правілы: </source>
        <translation>Handicap (a &quot;Финиш&quot; column): qualifications by net time, places as in the protocol; the groups start as &quot;Not counted&quot;, count them if the rules allow: </translation>
    </message>
    <message>
        <source>Размяшчэнне табліцы: </source>
        <translation>Table layout: </translation>
    </message>
    <message>
        <source>табліцы няма</source>
        <translation>no table</translation>
    </message>
    <message>
        <source>Памылка падчас запісу</source>
        <translation>Error while writing</translation>
    </message>
    <message>
        <source>Вызначце імя файла</source>
        <translation>Name the file</translation>
    </message>
    <message>
        <source>Не ўпэўнены, што гэта добра працуе.</source>
        <translation>Not sure this works well.</translation>
    </message>
    <message>
        <source>Табліцы ачкоў былі змененыя. Захаваць змяненні?</source>
        <translation>The points tables were changed. Save the changes?</translation>
    </message>
    <message>
        <source>Захаваць</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не захоўваць</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Вярнуцца</source>
        <translation>Go back</translation>
    </message>
    <message>
        <source>Табліцы ачкоў былі змененыя, але файл налад не ўдалося прачытаць, і запісаць яго нельга:
%1
Захаваць табліцы ў іншы файл?</source>
        <translation>The points tables were changed, but the settings file could not be read and must not be written:
%1
Save the tables to another file?</translation>
    </message>
    <message>
        <source>Захаваць у іншы файл...</source>
        <translation>Save to another file...</translation>
    </message>
    <message>
        <source>Пры чытанні файла налад не ўсё ўдалося ўзяць:
%1
Калі запісаць змяненні, гэта будзе страчана. Перапісаць файл?</source>
        <translation>Not everything could be taken when reading the settings file:
%1
Writing the changes would lose it. Overwrite the file?</translation>
    </message>
    <message>
        <source>Unable to read %1: %2</source>
        <translation>Unable to read %1: %2</translation>
    </message>
    <message>
        <source>Імя файла для захавання табліц ачкоў</source>
        <translation>File name to save the points tables to</translation>
    </message>
    <message>
        <source>Пратакол «%1» яшчэ не прачытаны: спачатку націсніце «Перачытаць» і праверце групы.</source>
        <translation>The protocol “%1” has not been read yet: first press “Read again” and check the groups.</translation>
    </message>
    <message>
        <source>Табліцы ачкоў, якія былі выбраны для груп %1, выдалены; гэтыя групы цяпер без ачкоў.</source>
        <translation>The points tables chosen for the groups %1 were removed; these groups now have no points.</translation>
    </message>
    <message>
        <source>Радок %1, слупок %2: знак «%3» нельга запісаць у Windows-1251. Файл не захаваны.</source>
        <translation>Line %1, column %2: the character “%3” cannot be written in Windows-1251. The file was not saved.</translation>
    </message>
    <message>
        <source>Файл «%1» ужо існуе. Замяніць яго?</source>
        <translation>The file “%1” already exists. Replace it?</translation>
    </message>
    <message>
        <source>Так</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Не</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Не ўдалося пачаць друк.</source>
        <translation>Printing could not be started.</translation>
    </message>
    <message>
        <source>Не ўдалося пачаць старонку %1.</source>
        <translation>Page %1 could not be started.</translation>
    </message>
    <message>
        <source>Не ўдалося скончыць друк.</source>
        <translation>Printing could not be finished.</translation>
    </message>
    <message>
        <source>Не ўдалося запісаць PDF «%1»: %2</source>
        <translation>Unable to write the PDF “%1”: %2</translation>
    </message>
    <message>
        <source>Апошнія</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>Апошнія прачытаныя пратаколы</source>
        <translation>Protocols read last</translation>
    </message>
    <message>
        <source>Файл «%1» не знойдзены; ён прыбраны з апошніх пратаколаў.</source>
        <translation>The file “%1” was not found; it was removed from the recent protocols.</translation>
    </message>
    <message>
        <source>Ачкі: цэлы лік ад 0 да 99999.</source>
        <translation>Points: a whole number from 0 to 99999.</translation>
    </message>
    <message>
        <source>Табліца ачкоў %1, месца %2: «%3» не цэлы лік ад 0 да 99999. Выпраўце клетку і пералічыце зноў.</source>
        <translation>Points table %1, place %2: “%3” is not a whole number from 0 to 99999. Correct the cell and recalculate.</translation>
    </message>
    <message>
        <source>E-mail для вынікаў:</source>
        <translation>E-mail for results:</translation>
    </message>
    <message>
        <source>Каб пачаць табліцу ачкоў, увядзіце ачкі за 1-е месца ў пустую клетку.</source>
        <translation>To start a points table, type the points for 1st place into an empty cell.</translation>
    </message>
    <message>
        <source>Імя файла з вынікамі для пераліку</source>
        <translation>File name of the results to recalculate</translation>
    </message>
    <message>
        <source>Імя файла для захавання вынікаў</source>
        <translation>File name to save the results to</translation>
    </message>
    <message>
        <source>Папка:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>Імя файла:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>Тып файлаў:</source>
        <translation>Files of type:</translation>
    </message>
    <message>
        <source>Адкрыць</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Адмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>1. Агляд...</source>
        <translation>1. Browse...</translation>
    </message>
    <message>
        <source>Перачытаць</source>
        <translation>Read again</translation>
    </message>
    <message>
        <source>Групы:</source>
        <translation>Groups:</translation>
    </message>
    <message>
        <source>Табліцы ачкоў:</source>
        <translation>Points tables:</translation>
    </message>
    <message>
        <source>Улічваць ранг спартсменаў па-за конкурсам (в/к)</source>
        <translation>Count athletes out of competition (в/к) in the rank</translation>
    </message>
    <message>
        <source>Палічыць ачкі па рэйтынгу</source>
        <translation>Work out rating points</translation>
    </message>
    <message>
        <source>К=</source>
        <translation>К=</translation>
    </message>
    <message>
        <source>3. Пералічыць</source>
        <translation>3. Recalculate</translation>
    </message>
    <message>
        <source>Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары LAT, LTU, POL, UKR, RUS і г.д.)</source>
        <translation>Leave out foreign athletes (looks for three capital Latin letters: LAT, LTU, POL, UKR, RUS etc.)</translation>
    </message>
    <message>
        <source>Тэкст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Прагляд</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>4. Агляд...</source>
        <translation>4. Browse...</translation>
    </message>
    <message>
        <source>5. Захаваць</source>
        <translation>5. Save</translation>
    </message>
    <message>
        <source>Друк…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>PDF…</source>
        <translation>PDF…</translation>
    </message>
    <message>
        <source>Пра праграму</source>
        <translation>About</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Літары «%1» няма ў кадоўцы пратакола (Windows-1251): замяніце яе.</source>
        <translation>The letter “%1” is not in the protocol&apos;s encoding (Windows-1251): replace it.</translation>
    </message>
    <message>
        <source>Інспектар</source>
        <translation>Inspector</translation>
    </message>
    <message>
        <source>      Згодна з пп. 26.3, 31.4 Правілаў спаборніцтваў і пп. 2.10 інструкцыі СТК АКС аб парадку інспектавання спартыўных карт і дыстанцый усе дыстанцыі класса КМС павінны быць прыняты інспектарам!</source>
        <translation>      Under rules 26.3 and 31.4 of the Competition Rules and item 2.10 of the instruction on inspecting orienteering maps and courses, every course of class КМС must be accepted by an inspector!</translation>
    </message>
    <message>
        <source>Пазначце Фамілію, Імя інспектара:</source>
        <translation>The inspector&apos;s surname and name:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Скасаваць</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Версія %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Вылічае выкананыя разрады і ачкі па пратаколе вынікаў спаборніцтваў па спартыўным арыентаванні.</source>
        <translation>Works out the qualifications earned and the points from the results protocol of an orienteering competition.</translation>
    </message>
    <message>
        <source>Распаўсюджваецца на ўмовах ліцэнзіі праекта.</source>
        <translation>Distributed under the project&apos;s licence.</translation>
    </message>
    <message>
        <source>Файл налад:</source>
        <translation>Settings file:</translation>
    </message>
    <message>
        <source>Закрыць</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>HTM-файлы (*.htm *.html)</source>
        <translation>HTM files (*.htm *.html)</translation>
    </message>
    <message>
        <source>RES-файлы (*.res)</source>
        <translation>RES files (*.res)</translation>
    </message>
    <message>
        <source>Ўсе файлы (*.*) (*)</source>
        <translation>All files (*.*) (*)</translation>
    </message>
    <message>
        <source>HTM-файлы (*.htm)</source>
        <translation>HTM files (*.htm)</translation>
    </message>
    <message>
        <source>INI-файлы (*.ini *.INI)</source>
        <translation>INI files (*.ini *.INI)</translation>
    </message>
    <message>
        <source>Адмяніць</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Вярнуць</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Выразаць</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Капіяваць</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Уставіць</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Вылучыць усё</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Група</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Клас дыст.</source>
        <translation>Course class</translation>
    </message>
    <message>
        <source>к-во МС</source>
        <translation>МС count</translation>
    </message>
    <message>
        <source>Табліца</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Налады груп перанесены па назвах груп:
захавалі налады — %1
новыя групы (налады па змоўчванні) — %2
страцілі налады (іх няма ў пратаколе) — %3</source>
        <translation>The groups&apos; settings were carried over by group name:
kept their settings — %1
new groups (default settings) — %2
lost their settings (not in the protocol) — %3</translation>
    </message>
    <message>
        <source>Для гэтага пратакола адноўлены налады, дадзеныя раней: клас, разрады, к-во МС і табліца груп, опцыі, К= і інспектар.</source>
        <translation>The settings given before were restored for this protocol: the groups&apos; class, category, МС count and table, the options, К= and the inspector.</translation>
    </message>
    <message>
        <source>Табліц ачкоў гэтых груп ужо няма, ім пастаўлена «Без ачкоў»: %1</source>
        <translation>The points tables of these groups are gone, they were set to “No points”: %1</translation>
    </message>
    <message>
        <source>Налады спаборніцтваў не захаваны ў файле налад:
%1</source>
        <translation>The competition&apos;s settings were not kept in the settings file:
%1</translation>
    </message>
    <message>
        <source>Захаваць спіс…</source>
        <translation>Save list…</translation>
    </message>
    <message>
        <source>Друк спіса…</source>
        <translation>Print list…</translation>
    </message>
    <message>
        <source>PDF спіса…</source>
        <translation>List PDF…</translation>
    </message>
    <message>
        <source>Спіс выкананых разрадаў складаецца пры «3. Пералічыць».</source>
        <translation>The list of qualifications earned is made by “3. Recalculate”.</translation>
    </message>
    <message>
        <source>Спіс складзены пры апошнім «3. Пералічыць»; праўкі ў тэксце пратакола яго не мяняюць.</source>
        <translation>The list was made by the last “3. Recalculate”; edits in the protocol&apos;s text do not change it.</translation>
    </message>
    <message>
        <source>Спіс састарэў разам з вынікамі: ён складзены да змен. Націсніце «3. Пералічыць».</source>
        <translation>The list is out of date with the results: it was made before the changes. Press “3. Recalculate”.</translation>
    </message>
    <message>
        <source>CSV-файлы (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Не атрымалася захаваць спіс %1: %2</source>
        <translation>Unable to save the list %1: %2</translation>
    </message>
    <message>
        <source>«%1» няма ў спісе, таму застаецца «%2». Выберыце пункт са спісу (Alt+↓) або набярыце яго цалкам.</source>
        <translation>“%1” is not in the list, so “%2” stays. Choose an item from the list (Alt+↓) or type it whole.</translation>
    </message>
    <message>
        <source>У полі «К=» (%1) стаіць «%2», а патрэбны лік. Дробную частку аддзяліце знакам %3, напрыклад %4. Выпраўце поле і пералічыце зноў.</source>
        <translation>The “К=” field (%1) holds “%2”, but a number is needed. Separate the fraction with %3, for example %4. Correct the field and recalculate.</translation>
    </message>
    <message>
        <source>«%1» або «.»</source>
        <translation>“%1” or “.”</translation>
    </message>
    <message>
        <source>«.»</source>
        <translation>“.”</translation>
    </message>
    <message>
        <source>першае, злева</source>
        <translation>the first, on the left</translation>
    </message>
    <message>
        <source>другое, справа</source>
        <translation>the second, on the right</translation>
    </message>
    <message>
        <source>Радкі %1–%2 з %3</source>
        <translation>Lines %1–%2 of %3</translation>
    </message>
    <message>
        <source>← папярэднія (Ctrl+PageUp)</source>
        <translation>← previous (Ctrl+PageUp)</translation>
    </message>
    <message>
        <source>наступныя (Ctrl+PageDown) →</source>
        <translation>next (Ctrl+PageDown) →</translation>
    </message>
    <message>
        <source>Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх на e-mail: %2. Дзякую!</source>
        <translation>The results were saved in the file “%1”. Don&apos;t forget to send them by e-mail to %2. Thank you!</translation>
    </message>
    <message>
        <source>Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх зборшчыку вынікаў. Дзякую!</source>
        <translation>The results were saved in the file “%1”. Don&apos;t forget to send them to the results collector. Thank you!</translation>
    </message>
    <message>
        <source>Няма вынікаў, каб захаваць: прачытайце пратакол і націсніце «3. Пералічыць».</source>
        <translation>There are no results to save: read a protocol and press “3. Recalculate”.</translation>
    </message>
    <message>
        <source>пратакол прачытаны зноў</source>
        <translation>the protocol was read again</translation>
    </message>
    <message>
        <source>змяніліся налады груп</source>
        <translation>the groups&apos; settings changed</translation>
    </message>
    <message>
        <source>змяніліся табліцы ачкоў</source>
        <translation>the points tables changed</translation>
    </message>
    <message>
        <source>змяніліся параметры пераліку</source>
        <translation>the options changed</translation>
    </message>
    <message>
        <source>пералік спыніўся на памылцы</source>
        <translation>the recalculation stopped at an error</translation>
    </message>
    <message>
        <source>Вынікі састарэлі (%1): націсніце «3. Пералічыць».</source>
        <translation>The results are out of date (%1): press “3. Recalculate”.</translation>
    </message>
    <message>
        <source>Вынікі ў тэксце састарэлі: %1. Пералічыць іх і захаваць новыя?</source>
        <translation>The results in the text are out of date: %1. Recalculate them and save the new ones?</translation>
    </message>
    <message>
        <source>Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць.</source>
        <translation>Edits made by hand in the text will be lost by recalculating.</translation>
    </message>
    <message>
        <source>Пералічыць і захаваць</source>
        <translation>Recalculate and save</translation>
    </message>
    <message>
        <source>Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць. Пералічыць?</source>
        <translation>Edits made by hand in the text will be lost by recalculating. Recalculate?</translation>
    </message>
    <message>
        <source>Захаваць як ёсць</source>
        <translation>Save as shown</translation>
    </message>
    <message>
        <source>Не захавана: %1. Захаваць перад выхадам?</source>
        <translation>Not saved: %1. Save before quitting?</translation>
    </message>
    <message>
        <source>вынікі пераліку</source>
        <translation>the recalculated results</translation>
    </message>
    <message>
        <source>налады груп</source>
        <translation>the groups&apos; settings</translation>
    </message>
    <message>
        <source>табліцы ачкоў</source>
        <translation>the points tables</translation>
    </message>
    <message>
        <source>Вынікі састарэлі (%1): перад захаваннем яны будуць пералічаны.</source>
        <translation>The results are out of date (%1): they will be recalculated before saving.</translation>
    </message>
    <message>
        <source>Вынікі састарэлі (%1), а ў тэксце ёсць праўкі: пры захаванні будзе спытана, ці пералічыць іх.</source>
        <translation>The results are out of date (%1) and the text holds edits: saving will ask whether to recalculate them.</translation>
    </message>
    <message>
        <source>Перад захаваннем вынікі будуць пералічаны.</source>
        <translation>The results will be recalculated before saving.</translation>
    </message>
    <message>
        <source>Файл налад не ўдалося прачытаць, і запісаць яго нельга:
%1
Табліцы ачкоў пойдуць у іншы файл.</source>
        <translation>The settings file could not be read and must not be written:
%1
The points tables will go to another file.</translation>
    </message>
    <message>
        <source>Патрэбна не менш за %1 літары (без прабелаў па краях).</source>
        <translation>At least %1 letters are needed (without blanks at the ends).</translation>
    </message>
    <message>
        <source>Знакі «&lt;», «&gt;», «&amp;» і кіруючыя знакі ў імені недапушчальныя: выдаліце іх.</source>
        <translation>The characters “&lt;”, “&gt;”, “&amp;” and control characters are not allowed in the name: remove them.</translation>
    </message>
    <message>
        <source>Без ачкоў</source>
        <translation>No points</translation>
    </message>
    <message>
        <source>Мова</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Мова акна і яго дыялогаў</source>
        <translation>The language of the window and its dialogs</translation>
    </message>
    <message>
        <source>Як у сістэме</source>
        <translation>Follow the system</translation>
    </message>
    <message>
        <source>Акно загаворыць на выбранай мове, калі запусціць яго нанова. Перазапусціць зараз? Прачытаны пратакол адкрыецца зноў.</source>
        <translation>The window speaks the chosen language once it is started again. Restart it now? The protocol read opens again.</translation>
    </message>
    <message>
        <source>Разрады</source>
        <comment>the group list&apos;s column of categories</comment>
        <translation>Category</translation>
    </message>
    <message>
        <source>Разрады</source>
        <comment>the tab of the qualifications earned</comment>
        <translation>Qualifications</translation>
    </message>
    <message>
        <source>Месца</source>
        <translation>Place</translation>
    </message>
</context>
</TS>
