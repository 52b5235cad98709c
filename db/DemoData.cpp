#include "db/DemoData.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "db/Schema.h"
#include "platform/ado/DbDriver.h"
#include "platform/rtl/DateTime.h"

namespace {

struct MaleName {
  const char* name;
  const char* patronymicMale;
  const char* patronymicFemale;
};

const MaleName kMaleNames[] = {
    {"Александр", "Александрович", "Александровна"},
    {"Алексей", "Алексеевич", "Алексеевна"},
    {"Анатолий", "Анатольевич", "Анатольевна"},
    {"Андрей", "Андреевич", "Андреевна"},
    {"Антон", "Антонович", "Антоновна"},
    {"Борис", "Борисович", "Борисовна"},
    {"Вадим", "Вадимович", "Вадимовна"},
    {"Валентин", "Валентинович", "Валентиновна"},
    {"Валерий", "Валерьевич", "Валерьевна"},
    {"Василий", "Васильевич", "Васильевна"},
    {"Виктор", "Викторович", "Викторовна"},
    {"Виталий", "Витальевич", "Витальевна"},
    {"Владимир", "Владимирович", "Владимировна"},
    {"Вячеслав", "Вячеславович", "Вячеславовна"},
    {"Геннадий", "Геннадьевич", "Геннадьевна"},
    {"Георгий", "Георгиевич", "Георгиевна"},
    {"Григорий", "Григорьевич", "Григорьевна"},
    {"Денис", "Денисович", "Денисовна"},
    {"Дмитрий", "Дмитриевич", "Дмитриевна"},
    {"Евгений", "Евгеньевич", "Евгеньевна"},
    {"Егор", "Егорович", "Егоровна"},
    {"Иван", "Иванович", "Ивановна"},
    {"Игорь", "Игоревич", "Игоревна"},
    {"Илья", "Ильич", "Ильинична"},
    {"Кирилл", "Кириллович", "Кирилловна"},
    {"Константин", "Константинович", "Константиновна"},
    {"Леонид", "Леонидович", "Леонидовна"},
    {"Максим", "Максимович", "Максимовна"},
    {"Михаил", "Михайлович", "Михайловна"},
    {"Николай", "Николаевич", "Николаевна"},
    {"Олег", "Олегович", "Олеговна"},
    {"Павел", "Павлович", "Павловна"},
    {"Пётр", "Петрович", "Петровна"},
    {"Роман", "Романович", "Романовна"},
    {"Сергей", "Сергеевич", "Сергеевна"},
    {"Станислав", "Станиславович", "Станиславовна"},
    {"Степан", "Степанович", "Степановна"},
    {"Юрий", "Юрьевич", "Юрьевна"},
    {"Ярослав", "Ярославович", "Ярославовна"},
    {"Фёдор", "Фёдорович", "Фёдоровна"},
};

const char* const kFemaleNames[] = {
    "Александра", "Алла",    "Анастасия", "Анна",   "Валентина", "Валерия",   "Вера",     "Виктория",
    "Галина",     "Дарья",   "Екатерина", "Елена",  "Жанна",     "Зоя",       "Ирина",    "Карина",
    "Ксения",     "Лариса",  "Лидия",     "Любовь", "Людмила",   "Маргарита", "Марина",   "Мария",
    "Надежда",    "Наталья", "Нина",      "Оксана", "Ольга",     "Полина",    "Светлана", "Софья",
    "Тамара",     "Татьяна", "Юлия",      "Яна",    "Алёна",     "Евгения",   "Кристина", "Эльвира",
};

const char* const kSurnames[] = {
    "Иванов",      "Смирнов",   "Кузнецов",   "Попов",      "Васильев", "Петров",     "Соколов",
    "Михайлов",    "Новиков",   "Фёдоров",    "Морозов",    "Волков",   "Алексеев",   "Лебедев",
    "Семёнов",     "Егоров",    "Павлов",     "Козлов",     "Степанов", "Николаев",   "Орлов",
    "Андреев",     "Макаров",   "Никитин",    "Захаров",    "Зайцев",   "Соловьёв",   "Борисов",
    "Яковлев",     "Григорьев", "Романов",    "Воробьёв",   "Сергеев",  "Кузьмин",    "Фролов",
    "Александров", "Дмитриев",  "Королёв",    "Гусев",      "Киселёв",  "Ильин",      "Максимов",
    "Поляков",     "Сорокин",   "Виноградов", "Ковалёв",    "Белов",    "Медведев",   "Антонов",
    "Тарасов",     "Жуков",     "Баранов",    "Филиппов",   "Комаров",  "Давыдов",    "Беляев",
    "Герасимов",   "Богданов",  "Осипов",     "Сидоров",    "Матвеев",  "Титов",      "Марков",
    "Миронов",     "Крылов",    "Куликов",    "Карпов",     "Власов",   "Мельников",  "Денисов",
    "Гаврилов",    "Тихонов",   "Казаков",    "Афанасьев",  "Данилов",  "Савельев",   "Тимофеев",
    "Фомин",       "Чернов",    "Абрамов",    "Мартынов",   "Ефимов",   "Федотов",    "Щербаков",
    "Назаров",     "Калинин",   "Исаев",      "Чернышёв",   "Быков",    "Маслов",     "Родионов",
    "Коновалов",   "Лазарев",   "Воронин",    "Климов",     "Филатов",  "Пономарёв",  "Голубев",
    "Кудрявцев",   "Прохоров",  "Наумов",     "Потапов",    "Журавлёв", "Овчинников", "Трофимов",
    "Леонов",      "Соболев",   "Ермаков",    "Колесников", "Гончаров", "Емельянов",  "Никифоров",
    "Грачёв",      "Котов",     "Гришин",     "Ефремов",    "Архипов",  "Громов",     "Кириллов",
    "Малышев",     "Панов",     "Моисеев",    "Румянцев",   "Акимов",   "Кондратьев", "Бирюков",
    "Горбунов",    "Анисимов",  "Ерёмин",     "Тихомиров",  "Галкин",   "Лукьянов",   "Михеев",
    "Скворцов",    "Юдин",      "Белоусов",   "Нестеров",   "Симонов",  "Прокофьев",  "Харитонов",
    "Князев",      "Цветков",   "Левин",      "Митрофанов", "Воронцов", "Аксёнов",    "Софронов",
    "Мальцев",     "Логинов",   "Горшков",    "Савин",      "Краснов",  "Майоров",    "Демидов",
    "Елисеев",     "Рыбаков",   "Сафонов",    "Плотников",  "Дёмин",    "Хохлов",     "Жданов",
    "Руденко",     "Шевченко",  "Бондаренко", "Черных",     "Долгих",   "Островский", "Вишневский",
    "Покровский",  "Троицкий",  "Толстой",    "Крюков",     "Шубин",    "Зуев",       "Пахомов",
    "Шилов",
};

const char* const kDistricts[] = {
    "Заречный",   "Сосновский",    "Берёзовский",   "Луговской",    "Озёрный",      "Каменский",
    "Лесной",     "Светлогорский", "Красноборский", "Михайловский", "Покровский",   "Ивановский",
    "Никольский", "Успенский",     "Петровский",    "Степной",      "Вознесенский", "Троицкий",
    "Ольховский", "Дубровский",    "Рябиновский",   "Кленовский",   "Широковский",  "Боровской",
};
const char* const kCities[] = {"Северск", "Зареченск", "Ключевск"};

struct Body {
  int kind;
  const char* shortName;
  const char* longName;  // "%s" is the district's genitive ("Заречного района")
};
const Body kDistrictBodies[] = {
    {2, "Администрация района", "Администрация %s"},
    {2, "Финансовое управление", "Финансовое управление администрации %s"},
    {2, "Отдел образования", "Отдел образования администрации %s"},
    {2, "Отдел культуры", "Отдел культуры администрации %s"},
    {2, "Собрание депутатов", "Собрание депутатов %s"},
    {1, "Управление соцзащиты", "Управление социальной защиты населения %s"},
    {1, "Отдел ЗАГС", "Отдел записи актов гражданского состояния %s"},
    {1, "Центр занятости", "Центр занятости населения %s"},
    {4, "Избирательная комиссия", "Территориальная избирательная комиссия %s"},
};
const Body kRegionBodies[] = {
    {1, "Правительство области", "Правительство области"},
    {1, "Минфин области", "Министерство финансов области"},
    {1, "Минздрав области", "Министерство здравоохранения области"},
    {1, "Минобразования области", "Министерство образования области"},
    {1, "Минэкономразвития области", "Министерство экономического развития области"},
    {1, "Управление делами губернатора", "Управление делами губернатора области"},
    {4, "Облизбирком", "Избирательная комиссия области"},
};

const char* const kCategories[] = {"руководители", "помощники (советники)", "специалисты",
                                   "обеспечивающие специалисты"};
const char* const kColleges[] = {
    "Академия государственной службы",
    "Институт повышения квалификации государственных служащих",
    "Областной институт развития образования",
    "Государственный университет",
    "Технический университет",
    "Аграрный университет",
    "Юридический институт",
    "Институт экономики и управления",
    "Учебно-методический центр",
    "Финансовый университет (филиал)",
    "Педагогический университет",
    "Медицинская академия",
    "Центр подготовки кадров",
    "Институт муниципального управления",
};
const char* const kKindsOfTraining[] = {"повышение квалификации", "профессиональная переподготовка",
                                        "стажировка", "семинар"};
const char* const kAssessments[] = {"отлично", "хорошо", "удовлетворительно", "зачтено"};
const char* const kPositions[] = {
    "главный специалист",
    "ведущий специалист",
    "специалист 1 категории",
    "специалист 2 категории",
    "начальник отдела",
    "заместитель начальника отдела",
    "консультант",
    "главный консультант",
    "советник",
    "референт",
    "заместитель главы администрации",
    "глава администрации",
    "начальник управления",
    "заместитель начальника управления",
    "министр",
    "заместитель министра",
    "помощник",
    "главный бухгалтер",
    "эксперт",
    "инспектор",
};
const char* const kProgrammes[] = {
    "Государственное и муниципальное управление",
    "Противодействие коррупции",
    "Управление проектами",
    "Бюджетный учёт и отчётность",
    "Контрактная система в сфере закупок",
    "Информационные технологии в управлении",
    "Документационное обеспечение управления",
    "Кадровая политика и кадровый аудит",
    "Правовое обеспечение деятельности органов власти",
    "Стратегическое планирование",
    "Работа с обращениями граждан",
    "Делопроизводство и архивное дело",
    "Основы земельного законодательства",
    "Управление муниципальным имуществом",
    "Социальная политика",
};

std::string FemaleSurname(const std::string& s) {
  auto ends = [&](const char* suffix) {
    std::string x(suffix);
    return s.size() >= x.size() && s.compare(s.size() - x.size(), x.size(), x) == 0;
  };
  if (ends("ский") || ends("цкий")) return s.substr(0, s.size() - std::string("ий").size()) + "ая";
  if (ends("ой")) return s.substr(0, s.size() - std::string("ой").size()) + "ая";
  if (ends("ов") || ends("ев") || ends("ёв") || ends("ин") || ends("ын")) return s + "а";
  return s;  // -енко, -их: the same for both
}

// "Заречный" -> "Заречного района".
std::string DistrictGenitive(const std::string& adj) {
  std::string stem = adj.substr(0, adj.size() - std::string("ый").size());
  return stem + "ого района";
}

template <size_t N>
const char* Pick(const char* const (&list)[N], std::mt19937& rng) {
  return list[std::uniform_int_distribution<size_t>(0, N - 1)(rng)];
}

class Inserter {
 public:
  Inserter(TDbConnection& c, const char* sql) : st_(c.Prepare(Utf8ToString(sql))) {}
  Int64 Run(std::initializer_list<Variant> values) {
    int i = 0;
    for (auto& v : values) st_->SetParam(i++, v);
    st_->Execute();
    return st_->RowsAffected();
  }

 private:
  std::unique_ptr<TDbStatement> st_;
};

Variant Text(const std::string& utf8) { return Variant(Utf8ToString(utf8)); }

}  // namespace

void GenerateDemoData(TDbConnection& c, const TDemoDataOptions& options) {
  std::mt19937 rng(options.Seed);
  c.BeginTransaction();
  try {
    // Reference lists.
    Inserter kat(c, "INSERT INTO M_KAT (NAME) VALUES (:NAME)");
    for (auto* k : kCategories) kat.Run({Text(k)});
    Inserter college(c, "INSERT INTO M_COLLAGE (NAME) VALUES (:NAME)");
    for (auto* k : kColleges) college.Run({Text(k)});
    Inserter kind(c, "INSERT INTO M_KATEDU (M_KATEDUNAME) VALUES (:NAME)");
    for (auto* k : kKindsOfTraining) kind.Run({Text(k)});
    Inserter assess(c, "INSERT INTO M_ASSESS (M_ASSESSNAME) VALUES (:NAME)");
    for (auto* k : kAssessments) assess.Run({Text(k)});

    // The tree: the region's own bodies under the top node, then districts and cities with theirs.
    Inserter node(
        c, "INSERT INTO M_RAYON_DEP (PARENT_ID, M_VIDDEPID, SHORTNAME, LONGNAME) VALUES (:P, :K, :S, :L)");
    auto identity = c.Prepare(u"select IDENT_CURRENT('M_RAYON_DEP')");
    auto lastNode = [&] {
      identity->Execute();
      identity->Next();
      return identity->AsInt64(0);
    };
    std::vector<Int64> workplaces;
    for (auto& b : kRegionBodies) {
      node.Run({Variant(1), Variant(b.kind), Text(b.shortName), Text(b.longName)});
      workplaces.push_back(lastNode());
    }
    auto addTerritory = [&](const std::string& shortName, const std::string& longName,
                            const std::string& genitive) {
      node.Run({Variant(1), Variant(3), Text(shortName), Text(longName)});
      Int64 territory = lastNode();
      for (auto& b : kDistrictBodies) {
        char longText[512];
        std::snprintf(longText, sizeof longText, b.longName, genitive.c_str());
        node.Run({Variant(territory), Variant(b.kind), Text(b.shortName), Text(longText)});
        workplaces.push_back(lastNode());
      }
    };
    for (auto* d : kDistricts) {
      std::string g = DistrictGenitive(d);
      addTerritory(std::string(d) + " район", std::string(d) + " муниципальный район", g);
    }
    for (auto* city : kCities)
      addTerritory(std::string("г. ") + city, std::string("городской округ ") + city,
                   std::string("города ") + city);

    Inserter contract(c,
                      "INSERT INTO O_COLLAGE_DOGOVOR (M_COLLAGEID, DOGOVOR_NUM, DATEBEGIN, DATEFINISH) "
                      "VALUES (:C, :N, :B, :F)");
    int collegeCount = static_cast<int>(std::size(kColleges));
    for (int i = 1; i <= collegeCount; ++i)
      for (int k = 0; k < 2; ++k) {
        TDateTime begin = EncodeDate(static_cast<Word>(2018 + 3 * k + i % 3), 1, 15);
        contract.Run({Variant(i), Text(std::to_string(i) + "/" + std::to_string(2018 + 3 * k)),
                      VarFromDateTime(begin), VarFromDateTime(IncMonth(begin, 36))});
      }

    // People.
    Inserter person(
        c,
        "INSERT INTO O_PEOPLE (FSTNAME, SECNAME, LASTNAME, BIRTHDATE, M_SEXID, M_KATID, M_RAYON_DEPID, "
        "DOLGNAME, M_RecordStatusID) VALUES (:F, :S, :L, :B, :X, :K, :D, :P, NULL)");
    Inserter training(
        c,
        "INSERT INTO O_EDU (O_PEOPLEID, M_COLLAGEID, M_KATEDUID, M_ASSESSID, DATEFINISH, PROGNAME, "
        "PLANNAME, NOTE) VALUES (:P, :C, :K, :A, :D, :G, :L, NULL)");
    Inserter synonym(c,
                     "INSERT INTO O_PEOPLESYNONYM (O_PEOPLEID, FSTNAME, SECNAME, LASTNAME, BIRTHDATE) "
                     "VALUES (:P, :F, :S, :L, :B)");

    // Text values converted once.
    std::vector<Variant> surnamesM, surnamesF, namesM, namesF, patrM, patrF, positions, programmes;
    for (auto* s : kSurnames) {
      surnamesM.push_back(Text(s));
      surnamesF.push_back(Text(FemaleSurname(s)));
    }
    for (auto& m : kMaleNames) {
      namesM.push_back(Text(m.name));
      patrM.push_back(Text(m.patronymicMale));
      patrF.push_back(Text(m.patronymicFemale));
    }
    for (auto* f : kFemaleNames) namesF.push_back(Text(f));
    for (auto* p : kPositions) positions.push_back(Text(p));
    for (auto* p : kProgrammes) programmes.push_back(Text(p));
    auto pick = [&](const std::vector<Variant>& list) -> const Variant& {
      return list[std::uniform_int_distribution<size_t>(0, list.size() - 1)(rng)];
    };

    std::uniform_real_distribution<double> birth(EncodeDate(1955, 1, 1), EncodeDate(2002, 12, 31));
    std::uniform_real_distribution<double> finish(EncodeDate(2000, 1, 1), EncodeDate(2026, 6, 30));
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<size_t> work(0, workplaces.size() - 1);
    double perPerson = options.TrainingPerPerson;
    for (Int64 id = 1; id <= options.People; ++id) {
      bool male = percent(rng) < 48;
      const Variant& surname = male ? pick(surnamesM) : pick(surnamesF);
      const Variant& first = male ? pick(namesM) : pick(namesF);
      const Variant& patronymic = male ? pick(patrM) : pick(patrF);
      int r = percent(rng);
      // Some cards lack a birth date: NULL, or the day-0 value an import leaves.
      Variant born = r < 2   ? Null()
                     : r < 3 ? VarFromDateTime(0)
                             : VarFromDateTime(static_cast<double>(static_cast<Int64>(birth(rng))));
      person.Run({surname, first, patronymic, born, Variant(male ? 1 : 2),
                  Variant(1 + percent(rng) % static_cast<int>(std::size(kCategories))),
                  Variant(workplaces[work(rng)]), pick(positions)});
      int trainings = std::poisson_distribution<int>(perPerson)(rng);
      if (trainings > 3) trainings = 3;
      for (int k = 0; k < trainings; ++k) {
        int kindOf = 1 + percent(rng) % static_cast<int>(std::size(kKindsOfTraining));
        training.Run({Variant(id), Variant(1 + percent(rng) % collegeCount), Variant(kindOf),
                      Variant(1 + percent(rng) % static_cast<int>(std::size(kAssessments))),
                      VarFromDateTime(static_cast<double>(static_cast<Int64>(finish(rng)))), pick(programmes),
                      kindOf == 2 ? Text("учебный план 2-летний") : Text("учебный план")});
      }
      if (percent(rng) < 1) synonym.Run({Variant(id), surname, first, patronymic, born});
    }
    c.Commit();
  } catch (...) {
    c.Rollback();
    throw;
  }
}

void CreateDemoDatabase(const String& fileName, const TDemoDataOptions& options) {
  std::string file = StringToUtf8(fileName);
  std::remove(file.c_str());
  std::remove((file + "-wal").c_str());
  std::remove((file + "-shm").c_str());
  auto driver = CreateDbDriver(u"SQLite");
  TDbConnectParams params;
  params.DataSource = fileName;
  params.CreateIfMissing = true;
  auto c = driver->Connect(params);
  // A new file nobody else uses yet: no journal while it fills, WAL again for the copies sharing it.
  c->ExecuteScript(u"PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-262144");
  CreateDatabase(*c);
  GenerateDemoData(*c, options);
  c->ExecuteScript(u"PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
}
