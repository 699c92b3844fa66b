<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="be">
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
        <translation>-- Не считать --</translation>
    </message>
    <message>
        <source>Дарослыя</source>
        <translation>Взрослые</translation>
    </message>
    <message>
        <source>Юнацкія</source>
        <translation>Юношеские</translation>
    </message>
    <message>
        <source>Злучаныя</source>
        <translation>Объединённые</translation>
    </message>
    <message>
        <source>Не лічыць</source>
        <translation>Не считать</translation>
    </message>
    <message>
        <source>Тут з&apos;яўляецца апрацаваная версія</source>
        <translation>Здесь появится обработанная версия</translation>
    </message>
    <message>
        <source>Памылка пры адкрыцці файла</source>
        <translation>Ошибка при открытии файла</translation>
    </message>
    <message>
        <source>у пратаколе няма ніводнага загалоўка групы (&quot;&lt;h2&gt;&quot;), пералічваць няма чаго</source>
        <translation>в протоколе нет ни одного заголовка группы (&quot;&lt;h2&gt;&quot;), пересчитывать нечего</translation>
    </message>
    <message>
        <source>Пад загалоўкамі груп няма ніводнай табліцы (&quot;&lt;pre&gt;&quot;): пералічваць няма чаго.</source>
        <translation>Под заголовками групп нет ни одной таблицы (&quot;&lt;pre&gt;&quot;): пересчитывать нечего.</translation>
    </message>
    <message>
        <source>Эстафеты капіююцца без змен, іх групы не лічацца: </source>
        <translation>Эстафеты копируются без изменений, их группы не считаются: </translation>
    </message>
    <message>
        <source>Табліцы, слупкі якіх не ўдалося распазнаць, капіююцца без змен, іх групы не лічацца: </source>
        <translation>Таблицы, столбцы которых не удалось распознать, копируются без изменений, их группы не считаются: </translation>
    </message>
    <message>
        <source>Гандыкап (слупок &quot;Финиш&quot;): разрады па чыстым часе, месцы як у пратаколе; групы пачынаюць як &quot;Не лічыць&quot;, улічыце іх, калі дазваляюць правілы: </source>
        <translation>Гандикап (столбец &quot;Финиш&quot;): разряды по чистому времени, места как в протоколе; группы начинают как &quot;Не считать&quot;, учтите их, если позволяют правила: </translation>
    </message>
    <message>
        <source>Размяшчэнне табліцы: </source>
        <translation>Расположение таблицы: </translation>
    </message>
    <message>
        <source>табліцы няма</source>
        <translation>таблицы нет</translation>
    </message>
    <message>
        <source>Памылка падчас запісу</source>
        <translation>Ошибка при записи</translation>
    </message>
    <message>
        <source>Вызначце імя файла</source>
        <translation>Укажите имя файла</translation>
    </message>
    <message>
        <source>Не ўпэўнены, што гэта добра працуе.</source>
        <translation>Не уверен, что это хорошо работает.</translation>
    </message>
    <message>
        <source>Табліцы ачкоў былі змененыя. Захаваць змяненні?</source>
        <translation>Таблицы очков были изменены. Сохранить изменения?</translation>
    </message>
    <message>
        <source>Захаваць</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Не захоўваць</source>
        <translation>Не сохранять</translation>
    </message>
    <message>
        <source>Вярнуцца</source>
        <translation>Вернуться</translation>
    </message>
    <message>
        <source>Табліцы ачкоў былі змененыя, але файл налад не ўдалося прачытаць, і запісаць яго нельга:
%1
Захаваць табліцы ў іншы файл?</source>
        <translation>Таблицы очков были изменены, но файл настроек не удалось прочитать, и записать его нельзя:
%1
Сохранить таблицы в другой файл?</translation>
    </message>
    <message>
        <source>Захаваць у іншы файл...</source>
        <translation>Сохранить в другой файл...</translation>
    </message>
    <message>
        <source>Пры чытанні файла налад не ўсё ўдалося ўзяць:
%1
Калі запісаць змяненні, гэта будзе страчана. Перапісаць файл?</source>
        <translation>При чтении файла настроек не всё удалось взять:
%1
Если записать изменения, это будет потеряно. Перезаписать файл?</translation>
    </message>
    <message>
        <source>Unable to read %1: %2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <source>Імя файла для захавання табліц ачкоў</source>
        <translation>Имя файла для сохранения таблиц очков</translation>
    </message>
    <message>
        <source>Пратакол «%1» яшчэ не прачытаны: спачатку націсніце «Перачытаць» і праверце групы.</source>
        <translation>Протокол «%1» ещё не прочитан: сначала нажмите «Перечитать» и проверьте группы.</translation>
    </message>
    <message>
        <source>Табліцы ачкоў, якія былі выбраны для груп %1, выдалены; гэтыя групы цяпер без ачкоў.</source>
        <translation>Таблицы очков, выбранные для групп %1, удалены; эти группы теперь без очков.</translation>
    </message>
    <message>
        <source>Радок %1, слупок %2: знак «%3» нельга запісаць у Windows-1251. Файл не захаваны.</source>
        <translation>Строка %1, столбец %2: знак «%3» нельзя записать в Windows-1251. Файл не сохранён.</translation>
    </message>
    <message>
        <source>Файл «%1» ужо існуе. Замяніць яго?</source>
        <translation>Файл «%1» уже существует. Заменить его?</translation>
    </message>
    <message>
        <source>Так</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Не</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Не ўдалося пачаць друк.</source>
        <translation>Не удалось начать печать.</translation>
    </message>
    <message>
        <source>Не ўдалося пачаць старонку %1.</source>
        <translation>Не удалось начать страницу %1.</translation>
    </message>
    <message>
        <source>Не ўдалося скончыць друк.</source>
        <translation>Не удалось закончить печать.</translation>
    </message>
    <message>
        <source>Не ўдалося запісаць PDF «%1»: %2</source>
        <translation>Не удалось записать PDF «%1»: %2</translation>
    </message>
    <message>
        <source>Апошнія</source>
        <translation>Последние</translation>
    </message>
    <message>
        <source>Апошнія прачытаныя пратаколы</source>
        <translation>Последние прочитанные протоколы</translation>
    </message>
    <message>
        <source>Файл «%1» не знойдзены; ён прыбраны з апошніх пратаколаў.</source>
        <translation>Файл «%1» не найден; он убран из последних протоколов.</translation>
    </message>
    <message>
        <source>Ачкі: цэлы лік ад 0 да 99999.</source>
        <translation>Очки: целое число от 0 до 99999.</translation>
    </message>
    <message>
        <source>Табліца ачкоў %1, месца %2: «%3» не цэлы лік ад 0 да 99999. Выпраўце клетку і пералічыце зноў.</source>
        <translation>Таблица очков %1, место %2: «%3» — не целое число от 0 до 99999. Исправьте клетку и пересчитайте снова.</translation>
    </message>
    <message>
        <source>E-mail для вынікаў:</source>
        <translation>E-mail для результатов:</translation>
    </message>
    <message>
        <source>Каб пачаць табліцу ачкоў, увядзіце ачкі за 1-е месца ў пустую клетку.</source>
        <translation>Чтобы начать таблицу очков, введите очки за 1-е место в пустую клетку.</translation>
    </message>
    <message>
        <source>Імя файла з вынікамі для пераліку</source>
        <translation>Имя файла с результатами для пересчёта</translation>
    </message>
    <message>
        <source>Імя файла для захавання вынікаў</source>
        <translation>Имя файла для сохранения результатов</translation>
    </message>
    <message>
        <source>Папка:</source>
        <translation>Папка:</translation>
    </message>
    <message>
        <source>Імя файла:</source>
        <translation>Имя файла:</translation>
    </message>
    <message>
        <source>Тып файлаў:</source>
        <translation>Тип файлов:</translation>
    </message>
    <message>
        <source>Адкрыць</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Адмена</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>1. Агляд...</source>
        <translation>1. Обзор...</translation>
    </message>
    <message>
        <source>Перачытаць</source>
        <translation>Перечитать</translation>
    </message>
    <message>
        <source>Групы:</source>
        <translation>Группы:</translation>
    </message>
    <message>
        <source>Табліцы ачкоў:</source>
        <translation>Таблицы очков:</translation>
    </message>
    <message>
        <source>Улічваць ранг спартсменаў па-за конкурсам (в/к)</source>
        <translation>Учитывать ранг спортсменов вне конкурса (в/к)</translation>
    </message>
    <message>
        <source>Палічыць ачкі па рэйтынгу</source>
        <translation>Посчитать очки по рейтингу</translation>
    </message>
    <message>
        <source>К=</source>
        <translation>К=</translation>
    </message>
    <message>
        <source>3. Пералічыць</source>
        <translation>3. Пересчитать</translation>
    </message>
    <message>
        <source>Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары LAT, LTU, POL, UKR, RUS і г.д.)</source>
        <translation>Не учитывать иностранных спортсменов (ищет три заглавные латинские буквы LAT, LTU, POL, UKR, RUS и т.д.)</translation>
    </message>
    <message>
        <source>Тэкст</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Прагляд</source>
        <translation>Просмотр</translation>
    </message>
    <message>
        <source>4. Агляд...</source>
        <translation>4. Обзор...</translation>
    </message>
    <message>
        <source>5. Захаваць</source>
        <translation>5. Сохранить</translation>
    </message>
    <message>
        <source>Друк…</source>
        <translation>Печать…</translation>
    </message>
    <message>
        <source>PDF…</source>
        <translation>PDF…</translation>
    </message>
    <message>
        <source>Пра праграму</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Літары «%1» няма ў кадоўцы пратакола (Windows-1251): замяніце яе.</source>
        <translation>Буквы «%1» нет в кодировке протокола (Windows-1251): замените её.</translation>
    </message>
    <message>
        <source>Інспектар</source>
        <translation>Инспектор</translation>
    </message>
    <message>
        <source>      Згодна з пп. 26.3, 31.4 Правілаў спаборніцтваў і пп. 2.10 інструкцыі СТК АКС аб парадку інспектавання спартыўных карт і дыстанцый усе дыстанцыі класса КМС павінны быць прыняты інспектарам!</source>
        <translation>      Согласно пп. 26.3, 31.4 Правил соревнований и п. 2.10 инструкции СТК АКС о порядке инспектирования спортивных карт и дистанций все дистанции класса КМС должны быть приняты инспектором!</translation>
    </message>
    <message>
        <source>Пазначце Фамілію, Імя інспектара:</source>
        <translation>Укажите фамилию и имя инспектора:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Скасаваць</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Версія %1</source>
        <translation>Версия %1</translation>
    </message>
    <message>
        <source>Вылічае выкананыя разрады і ачкі па пратаколе вынікаў спаборніцтваў па спартыўным арыентаванні.</source>
        <translation>Вычисляет выполненные разряды и очки по протоколу результатов соревнований по спортивному ориентированию.</translation>
    </message>
    <message>
        <source>Распаўсюджваецца на ўмовах ліцэнзіі праекта.</source>
        <translation>Распространяется на условиях лицензии проекта.</translation>
    </message>
    <message>
        <source>Файл налад:</source>
        <translation>Файл настроек:</translation>
    </message>
    <message>
        <source>Закрыць</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>HTM-файлы (*.htm *.html)</source>
        <translation>HTM-файлы (*.htm *.html)</translation>
    </message>
    <message>
        <source>RES-файлы (*.res)</source>
        <translation>RES-файлы (*.res)</translation>
    </message>
    <message>
        <source>Ўсе файлы (*.*) (*)</source>
        <translation>Все файлы (*.*) (*)</translation>
    </message>
    <message>
        <source>HTM-файлы (*.htm)</source>
        <translation>HTM-файлы (*.htm)</translation>
    </message>
    <message>
        <source>INI-файлы (*.ini *.INI)</source>
        <translation>INI-файлы (*.ini *.INI)</translation>
    </message>
    <message>
        <source>Адмяніць</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Вярнуць</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Выразаць</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Капіяваць</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Уставіць</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Вылучыць усё</source>
        <translation>Выделить всё</translation>
    </message>
    <message>
        <source>Група</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Клас дыст.</source>
        <translation>Класс дист.</translation>
    </message>
    <message>
        <source>к-во МС</source>
        <translation>кол-во МС</translation>
    </message>
    <message>
        <source>Табліца</source>
        <translation>Таблица</translation>
    </message>
    <message>
        <source>Налады груп перанесены па назвах груп:
захавалі налады — %1
новыя групы (налады па змоўчванні) — %2
страцілі налады (іх няма ў пратаколе) — %3</source>
        <translation>Настройки групп перенесены по названиям групп:
сохранили настройки — %1
новые группы (настройки по умолчанию) — %2
потеряли настройки (их нет в протоколе) — %3</translation>
    </message>
    <message>
        <source>Для гэтага пратакола адноўлены налады, дадзеныя раней: клас, разрады, к-во МС і табліца груп, опцыі, К= і інспектар.</source>
        <translation>Для этого протокола восстановлены настройки, заданные ранее: класс, разряды, кол-во МС и таблица групп, опции, К= и инспектор.</translation>
    </message>
    <message>
        <source>Табліц ачкоў гэтых груп ужо няма, ім пастаўлена «Без ачкоў»: %1</source>
        <translation>Таблиц очков этих групп уже нет, им поставлено «Без очков»: %1</translation>
    </message>
    <message>
        <source>Налады спаборніцтваў не захаваны ў файле налад:
%1</source>
        <translation>Настройки соревнований не сохранены в файле настроек:
%1</translation>
    </message>
    <message>
        <source>Захаваць спіс…</source>
        <translation>Сохранить список…</translation>
    </message>
    <message>
        <source>Друк спіса…</source>
        <translation>Печать списка…</translation>
    </message>
    <message>
        <source>PDF спіса…</source>
        <translation>PDF списка…</translation>
    </message>
    <message>
        <source>Спіс выкананых разрадаў складаецца пры «3. Пералічыць».</source>
        <translation>Список выполненных разрядов составляется при «3. Пересчитать».</translation>
    </message>
    <message>
        <source>Спіс складзены пры апошнім «3. Пералічыць»; праўкі ў тэксце пратакола яго не мяняюць.</source>
        <translation>Список составлен при последнем «3. Пересчитать»; правки в тексте протокола его не меняют.</translation>
    </message>
    <message>
        <source>Спіс састарэў разам з вынікамі: ён складзены да змен. Націсніце «3. Пералічыць».</source>
        <translation>Список устарел вместе с результатами: он составлен до изменений. Нажмите «3. Пересчитать».</translation>
    </message>
    <message>
        <source>CSV-файлы (*.csv)</source>
        <translation>CSV-файлы (*.csv)</translation>
    </message>
    <message>
        <source>Не атрымалася захаваць спіс %1: %2</source>
        <translation>Не удалось сохранить список %1: %2</translation>
    </message>
    <message>
        <source>«%1» няма ў спісе, таму застаецца «%2». Выберыце пункт са спісу (Alt+↓) або набярыце яго цалкам.</source>
        <translation>«%1» нет в списке, поэтому остаётся «%2». Выберите пункт из списка (Alt+↓) или наберите его целиком.</translation>
    </message>
    <message>
        <source>У полі «К=» (%1) стаіць «%2», а патрэбны лік. Дробную частку аддзяліце знакам %3, напрыклад %4. Выпраўце поле і пералічыце зноў.</source>
        <translation>В поле «К=» (%1) стоит «%2», а нужно число. Дробную часть отделите знаком %3, например %4. Исправьте поле и пересчитайте снова.</translation>
    </message>
    <message>
        <source>«%1» або «.»</source>
        <translation>«%1» или «.»</translation>
    </message>
    <message>
        <source>«.»</source>
        <translation>«.»</translation>
    </message>
    <message>
        <source>першае, злева</source>
        <translation>первое, слева</translation>
    </message>
    <message>
        <source>другое, справа</source>
        <translation>второе, справа</translation>
    </message>
    <message>
        <source>Радкі %1–%2 з %3</source>
        <translation>Строки %1–%2 из %3</translation>
    </message>
    <message>
        <source>← папярэднія (Ctrl+PageUp)</source>
        <translation>← предыдущие (Ctrl+PageUp)</translation>
    </message>
    <message>
        <source>наступныя (Ctrl+PageDown) →</source>
        <translation>следующие (Ctrl+PageDown) →</translation>
    </message>
    <message>
        <source>Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх на e-mail: %2. Дзякую!</source>
        <translation>Результаты сохранены в файле «%1». Не забудьте отправить их на e-mail: %2. Спасибо!</translation>
    </message>
    <message>
        <source>Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх зборшчыку вынікаў. Дзякую!</source>
        <translation>Результаты сохранены в файле «%1». Не забудьте отправить их сборщику результатов. Спасибо!</translation>
    </message>
    <message>
        <source>Няма вынікаў, каб захаваць: прачытайце пратакол і націсніце «3. Пералічыць».</source>
        <translation>Нет результатов для сохранения: прочитайте протокол и нажмите «3. Пересчитать».</translation>
    </message>
    <message>
        <source>пратакол прачытаны зноў</source>
        <translation>протокол прочитан заново</translation>
    </message>
    <message>
        <source>змяніліся налады груп</source>
        <translation>изменились настройки групп</translation>
    </message>
    <message>
        <source>змяніліся табліцы ачкоў</source>
        <translation>изменились таблицы очков</translation>
    </message>
    <message>
        <source>змяніліся параметры пераліку</source>
        <translation>изменились параметры пересчёта</translation>
    </message>
    <message>
        <source>пералік спыніўся на памылцы</source>
        <translation>пересчёт остановился на ошибке</translation>
    </message>
    <message>
        <source>Вынікі састарэлі (%1): націсніце «3. Пералічыць».</source>
        <translation>Результаты устарели (%1): нажмите «3. Пересчитать».</translation>
    </message>
    <message>
        <source>Вынікі ў тэксце састарэлі: %1. Пералічыць іх і захаваць новыя?</source>
        <translation>Результаты в тексте устарели: %1. Пересчитать их и сохранить новые?</translation>
    </message>
    <message>
        <source>Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць.</source>
        <translation>Правки, сделанные в тексте вручную, при пересчёте пропадут.</translation>
    </message>
    <message>
        <source>Пералічыць і захаваць</source>
        <translation>Пересчитать и сохранить</translation>
    </message>
    <message>
        <source>Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць. Пералічыць?</source>
        <translation>Правки, сделанные в тексте вручную, при пересчёте пропадут. Пересчитать?</translation>
    </message>
    <message>
        <source>Захаваць як ёсць</source>
        <translation>Сохранить как есть</translation>
    </message>
    <message>
        <source>Не захавана: %1. Захаваць перад выхадам?</source>
        <translation>Не сохранено: %1. Сохранить перед выходом?</translation>
    </message>
    <message>
        <source>вынікі пераліку</source>
        <translation>результаты пересчёта</translation>
    </message>
    <message>
        <source>налады груп</source>
        <translation>настройки групп</translation>
    </message>
    <message>
        <source>табліцы ачкоў</source>
        <translation>таблицы очков</translation>
    </message>
    <message>
        <source>Вынікі састарэлі (%1): перад захаваннем яны будуць пералічаны.</source>
        <translation>Результаты устарели (%1): перед сохранением они будут пересчитаны.</translation>
    </message>
    <message>
        <source>Вынікі састарэлі (%1), а ў тэксце ёсць праўкі: пры захаванні будзе спытана, ці пералічыць іх.</source>
        <translation>Результаты устарели (%1), а в тексте есть правки: при сохранении будет спрошено, пересчитать ли их.</translation>
    </message>
    <message>
        <source>Перад захаваннем вынікі будуць пералічаны.</source>
        <translation>Перед сохранением результаты будут пересчитаны.</translation>
    </message>
    <message>
        <source>Файл налад не ўдалося прачытаць, і запісаць яго нельга:
%1
Табліцы ачкоў пойдуць у іншы файл.</source>
        <translation>Файл настроек не удалось прочитать, и записать его нельзя:
%1
Таблицы очков будут сохранены в другой файл.</translation>
    </message>
    <message>
        <source>Патрэбна не менш за %1 літары (без прабелаў па краях).</source>
        <translation>Нужно не меньше %1 букв (без пробелов по краям).</translation>
    </message>
    <message>
        <source>Знакі «&lt;», «&gt;», «&amp;» і кіруючыя знакі ў імені недапушчальныя: выдаліце іх.</source>
        <translation>Знаки «&lt;», «&gt;», «&amp;» и управляющие знаки в имени недопустимы: удалите их.</translation>
    </message>
    <message>
        <source>Без ачкоў</source>
        <translation>Без очков</translation>
    </message>
    <message>
        <source>Мова</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Мова акна і яго дыялогаў</source>
        <translation>Язык окна и его диалогов</translation>
    </message>
    <message>
        <source>Як у сістэме</source>
        <translation>Как в системе</translation>
    </message>
    <message>
        <source>Акно загаворыць на выбранай мове, калі запусціць яго нанова. Перазапусціць зараз? Прачытаны пратакол адкрыецца зноў.</source>
        <translation>Окно заговорит на выбранном языке, когда его запустить заново. Перезапустить сейчас? Прочитанный протокол откроется снова.</translation>
    </message>
    <message>
        <source>Разрады</source>
        <comment>the group list&apos;s column of categories</comment>
        <translation>Разряды</translation>
    </message>
    <message>
        <source>Разрады</source>
        <comment>the tab of the qualifications earned</comment>
        <translation>Разряды</translation>
    </message>
    <message>
        <source>Месца</source>
        <translation>Место</translation>
    </message>
</context>
</TS>
