/* Fills the older register with 300 households in the old program's conventions: keys given
   by the program (no triggers), blank-padded texts, incomes in leva with whatever decimals a
   division left, and the member counts kept by hand, so some are stale. A few problems the old
   program let through: a card without a holder (1050), one with two (1100), a member whose
   card is gone, a personal number with month 13 (card 1077), a dwelling code with no name in
   its list (card 1120), a declaration dated years ahead (card 1150). NOM has no row 9. */

INSERT INTO NOM (N, GROUP1, GROUP2, GRUPA, LDATA, LREASON, KARTFOR, SOCGRUPA, STATUS, NAST_VID_APART, NAST_TERM, COUNTER, S_INFO)
  VALUES (0, '1.възстановяване на бивш. собств.', 'Без подгрупа', 'Гр.1', '0.Няма данни', '0.Няма данни', 'Няма данни', 'Работещ', 'Картотекиран', 'Няма данни', 'Няма данни', NULL, 'Община Старопланинска');
INSERT INTO NOM (N, GROUP1, GROUP2, GRUPA, LDATA, LREASON, KARTFOR, SOCGRUPA, STATUS, NAST_VID_APART, NAST_TERM)
  VALUES (1, '2.засегнати от ново строителство', '1.възстановяване на бивш. собств.', 'Гр.2', '1.Нежил. помещ.', '1.Свободен наем', 'Наемане на общинско жилище', 'Безработен', 'Включен в списъка', 'Общинско жилище', '1 година');
INSERT INTO NOM (N, GROUP1, GROUP2, GRUPA, LDATA, LREASON, KARTFOR, SOCGRUPA, STATUS, NAST_VID_APART, NAST_TERM)
  VALUES (2, '3.не заемащи жил. площ поне 1г.', '2.засегнати от ново строителство', 'Гр.3', '2.Вила', '2.При родители', 'Наемане на резервно жилище', 'Пенсионер', 'Отложен', 'Резервно жилище', '2 години');
INSERT INTO NOM (N, GROUP1, GROUP2, GRUPA, LDATA, LREASON, KARTFOR, SOCGRUPA, STATUS, NAST_VID_APART, NAST_TERM, COUNTER)
  VALUES (3, '4.свободно договаряне', '3.не заемащи жил. площ поне 1г.', 'Гр.4', '3.Къща', '3.Вед. жилище', 'Закупуване на общинско жилище', 'С увреждане (ТЕЛК/НЕЛК)', 'Изключен от списъка', 'Ведомствено жилище', '3 години', 5);
INSERT INTO NOM (N, GROUP1, GROUP2, GRUPA, LDATA, LREASON, SOCGRUPA, STATUS, NAST_TERM)
  VALUES (4, '5.недостатъчна жил. площ', '4.свободно договаряне', 'Гр.5', '4.Апартамент', '4.Общ. жилище', 'Учащ', 'Получил жилище', '5 години');
INSERT INTO NOM (N, GROUP2, LREASON, SOCGRUPA, NAST_TERM)
  VALUES (5, '5.недостатъчна жил. площ', '5.Други(в бележките)', 'Дете', 'Безсрочно');
INSERT INTO NOM (N) VALUES (6);
INSERT INTO NOM (N) VALUES (7);
INSERT INTO NOM (N) VALUES (8);

INSERT INTO USERS (USER_ID, NAME, PASS) VALUES (1, 'admin', 'x');
INSERT INTO USERS (USER_ID, NAME, PASS) VALUES (2, 'clerk', 'y');

INSERT INTO INF_LOG (LOG_ID, USER_ID, TYPE_T, T_ID, T_TEXT, C_DATE, S_DATE, U_NAME)
  VALUES (1, 1, 'SYSTEM', 1, 'Влизане на потребител с име admin', '02.03.2012 09:00:00', '02.03.2012 09:00:00', 'admin');
INSERT INTO INF_LOG (LOG_ID, USER_ID, TYPE_T, T_ID, T_TEXT, C_DATE, S_DATE, U_NAME)
  VALUES (2, 1, 'RGS_CARD', 1001, 'Създаване на картон', '02.03.2012 09:05:00', '02.03.2012 09:05:00', 'admin');
INSERT INTO INF_LOG (LOG_ID, USER_ID, TYPE_T, T_ID, T_TEXT, C_DATE, S_DATE, U_NAME)
  VALUES (3, 1, 'SYSTEM', 1, 'Излизане на потребител с име admin', '02.03.2012 17:00:00', '02.03.2012 17:00:00', 'admin');

SET TERM ^ ;

EXECUTE BLOCK AS
  DECLARE i INTEGER = 1;
  DECLARE m INTEGER;
  DECLARE k INTEGER;
  DECLARE p INTEGER = 0;
  DECLARE j INTEGER;
  DECLARE s INTEGER;
  DECLARE ptype INTEGER;
  DECLARE yy INTEGER;
  DECLARE mm INTEGER;
  DECLARE dd INTEGER;
  DECLARE egn9 VARCHAR(9);
  DECLARE egn VARCHAR(10);
  DECLARE income DOUBLE PRECISION;
  DECLARE surname VARCHAR(40);
BEGIN
  WHILE (i <= 300) DO
  BEGIN
    m = MOD(i, 4) + 1;
    income = 4800 + i * 37.45;
    surname = CASE MOD(i, 5) WHEN 0 THEN 'Иванов' WHEN 1 THEN 'Петров' WHEN 2 THEN 'Георгиев'
                             WHEN 3 THEN 'Димитров' ELSE 'Стоянов' END;
    INSERT INTO RGS_CARD (CARD_ID, REG_NUM, REGDATE, DOC_IDTXT, ADRESS, ADRESS_DATE, L_DATA, L_CONDITIONS, L_REASON,
                          GROUP1, GRUPA, GRUPA_DATE, GROUP2, KART, STATUS, INCOME, INCOME_HALF_YEAR,
                          INCOME_PER_PERSON, ADD_USER, KIDS, ALONE_PARENT, HARD_LIFE, POINTS_YEAR, LASTDEK_ID,
                          LASTDEK_DATE)
      VALUES (:i, 1000 + :i, CAST('01.03.2012' AS DATE) + :i * 9, 'Вх-' || :i,
              'гр. Старопланинск, ул. Витоша ' || :i, CAST('15.06.2005' AS DATE) + :i,
              IIF(:i = 120, 7, MOD(:i, 5)), 'Една стая', MOD(:i, 6), MOD(:i, 5) + 1, MOD(:i, 5),
              CAST('01.03.2012' AS DATE) + :i * 9, MOD(:i, 6), MOD(:i, 4),
              CASE MOD(:i, 10) WHEN 0 THEN 4 WHEN 1 THEN 0 ELSE 1 END,
              :income, :income / 2, :income / :m, 'Default', IIF(:m > 2, :m - 2, 0), 1, 0, 0, 'Д-' || :i,
              IIF(:i = 150, CAST('01.01.2031' AS DATE), CAST('10.01.2024' AS DATE) + MOD(:i, 300)));
    k = 0;
    WHILE (k < m + IIF(i = 100, 1, 0)) DO
    BEGIN
      ptype = CASE WHEN k = 0 THEN IIF(i = 50, 4, 0) WHEN k >= m THEN 0 WHEN k = 1 THEN 2 ELSE 3 END;
      IF (ptype = 3) THEN
      BEGIN
        yy = 10 + MOD(i + k, 12);
        mm = MOD(i, 12) + 41;
      END
      ELSE
      BEGIN
        yy = 60 + MOD(i + k, 30);
        mm = MOD(i, 12) + 1;
      END
      dd = MOD(i + k, 28) + 1;
      egn9 = LPAD(yy, 2, '0') || LPAD(mm, 2, '0') || LPAD(dd, 2, '0') || LPAD(MOD(i * 7 + k, 1000), 3, '0');
      s = 0;
      j = 1;
      WHILE (j <= 9) DO
      BEGIN
        s = s + CAST(SUBSTRING(egn9 FROM j FOR 1) AS INTEGER) *
                CASE j WHEN 1 THEN 2 WHEN 2 THEN 4 WHEN 3 THEN 8 WHEN 4 THEN 5 WHEN 5 THEN 10 WHEN 6 THEN 9
                       WHEN 7 THEN 7 WHEN 8 THEN 3 ELSE 6 END;
        j = j + 1;
      END
      s = MOD(s, 11);
      IF (s = 10) THEN s = 0;
      egn = egn9 || s;
      IF (i = 77 AND k = 0) THEN egn = '7713450000';
      p = p + 1;
      INSERT INTO RGS_PERSON (PERSON_ID, CARD_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA)
        VALUES (:p, :i,
                CASE :ptype WHEN 2 THEN 'Мария ' || :surname || 'а' WHEN 3 THEN 'Дете ' || :k || ' ' || :surname
                            ELSE 'Титуляр ' || :i || ' ' || :surname END,
                :egn, :ptype, MOD(:i + :k, 6));
      k = k + 1;
    END
    UPDATE RGS_CARD SET FAMILY_MEMBER_COUNT =
        (SELECT COUNT(*) FROM RGS_PERSON WHERE CARD_ID = :i) + IIF(MOD(:i, 13) = 0, 1, 0)
      WHERE CARD_ID = :i;
    i = i + 1;
  END
  INSERT INTO RGS_PERSON (PERSON_ID, CARD_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA)
    VALUES (:p + 1, 9999, 'Останал без картон', '6501010002', 3, 0);
END^

SET TERM ; ^

SET GENERATOR GEN_RGS_CARD_ID TO 5;
