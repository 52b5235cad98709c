object TrenvikForm: TTrenvikForm
  Left = 120
  Top = 60
  Width = 760
  Height = 600
  Caption = 'Дополнительная информация'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  object ActionMainMenuBar1: TActionMainMenuBar
    Left = 0
    Top = 0
    Width = 760
    Height = 22
  end
  object PageControl1: TPageControl
    Left = 0
    Top = 22
    Align = alClient
    ActivePage = TabSheet1
    object TabSheet1: TTabSheet
      Caption = 'Регистрационные данные'
      object ActionToolBar3: TActionToolBar
        Align = alTop
        ShowHint = True
      end
      object dxDBInspector2: TdxDBInspector
        Left = 0
        Top = 26
        Width = 440
        Height = 480
        Align = alLeft
        ParentFont = False
        Font.Name = 'MS Sans Serif'
        Font.Height = -13
        DefaultFields = False
        DividerPos = 209
        object dxDBInspector2FSTNAME: TdxInspectorDBRow
          FieldName = 'FSTNAME'
        end
        object dxDBInspector2SECNAME: TdxInspectorDBRow
          FieldName = 'SECNAME'
        end
        object dxDBInspector2LASTNAME: TdxInspectorDBRow
          FieldName = 'LASTNAME'
        end
        object dxDBInspector2M_SEXID: TdxInspectorDBImageRow
          FieldName = 'M_SEXID'
          Descriptions.Strings = (
            'мужской'
            'женский')
          ImageIndexes.Strings = (
            '0'
            '1')
          Values.Strings = (
            '1'
            '2')
        end
        object dxDBInspector2BIRTHDATE: TdxInspectorDBDateRow
          FieldName = 'BIRTHDATE'
        end
        object dxDBInspector2AGE: TdxInspectorDBMaskRow
          FieldName = 'AGE'
        end
        object dxDBInspector2MKATNAME: TdxInspectorLookupRow
          FieldName = 'MKATNAME'
        end
        object dxDBInspector2DOLGNAME: TdxInspectorDBMemoRow
          FieldName = 'DOLGNAME'
          RowHeight = 80
          ScrollBars = ssVertical
        end
      end
      object GroupBox1: TGroupBox
        Left = 448
        Top = 30
        Width = 290
        Height = 200
        Caption = 'место работы'
        object dxDBLookupTreeView1: TdxDBLookupTreeView
          Left = 8
          Top = 20
          Width = 274
          Height = 21
          DataField = 'M_RAYON_DEPID'
          AssignField = 'M_RAYON_DEPID'
          KeyField = 'M_RAYON_DEPID'
          ParentField = 'PARENT_ID'
          RootValue = '0'
          ListField = 'SHORTNAME'
          DisplayField = 'LONGNAME'
          TextStyle = tvtsShort
          DividedChar = '.'
          ImageIndexField = 'M_VIDDEPID'
          CanSelectParents = True
          Options = [trDBCanDelete, trDBConfirmDelete, trCanDBNavigate, trSmartRecordCopy, trCheckHasChildren]
          TreeViewReadOnly = False
          TreeViewShowButtons = True
          TreeViewShowLines = True
          TreeViewShowRoot = True
          TreeViewIndent = 19
        end
        object Label1: TLabel
          Left = 8
          Top = 56
          Caption = 'место нахождения органа власти'
        end
        object DBText1: TDBText
          Left = 8
          Top = 74
          Width = 274
          Height = 34
          DataField = 'R_NAME'
          ParentFont = False
          Font.Name = 'MS Sans Serif'
          Font.Height = -11
          Font.Style = [fsBold]
        end
        object Label2: TLabel
          Left = 8
          Top = 120
          Caption = 'орган власти'
        end
        object DBText2: TDBText
          Left = 8
          Top = 138
          Width = 274
          Height = 34
          DataField = 'D_NAME'
          ParentFont = False
          Font.Name = 'MS Sans Serif'
          Font.Height = -11
          Font.Style = [fsBold]
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Пройденное обучение'
      object ActionToolBar1: TActionToolBar
        Align = alTop
        ShowHint = True
      end
      object ActionToolBar2: TActionToolBar
        Align = alTop
        ShowHint = True
      end
      object dxDBGrid1: TdxDBGrid
        Align = alClient
        ParentFont = False
        Font.Name = 'MS Sans Serif'
        Font.Height = -13
        TabOrder = 0
        KeyField = 'O_EDUID'
        OptionsBehavior = [edgoDragScroll, edgoTabThrough, edgoVertThrough]
        OptionsDB = [edgoCancelOnExit, edgoCanNavigation, edgoConfirmDelete, edgoUseBookmarks]
        OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
        object dxDBGrid1DATEFINISH: TdxDBGridDateColumn
          Width = 102
          FieldName = 'DATEFINISH'
        end
        object dxDBGrid1COLLAGENAME: TdxDBGridLookupColumn
          Width = 621
          FieldName = 'COLLAGENAME'
        end
      end
      object dxDBInspector1: TdxDBInspector
        Height = 230
        Align = alBottom
        DefaultFields = False
        DividerPos = 215
        object dxDBInspector1COLLAGENAME: TdxInspectorLookupRow
          FieldName = 'COLLAGENAME'
        end
        object dxDBInspector1DATEFINISH: TdxInspectorDBDateRow
          FieldName = 'DATEFINISH'
        end
        object dxDBInspector1AssessName: TdxInspectorLookupRow
          FieldName = 'AssessName'
        end
        object dxDBInspector1KatEduName: TdxInspectorLookupRow
          FieldName = 'KatEduName'
        end
        object dxDBInspector1PROGNAME: TdxInspectorDBMemoRow
          FieldName = 'PROGNAME'
          RowHeight = 40
          ScrollBars = ssVertical
        end
        object dxDBInspector1PLANNAME: TdxInspectorDBRow
          Caption = 'учебный план'
          RowHeight = 30
          FieldName = 'PLANNAME'
        end
        object dxDBInspector1NOTE: TdxInspectorDBRow
          FieldName = 'NOTE'
        end
      end
    end
  end
  object ActionManager1: TActionManager
    ActionBars = <
      item
        Items = <
          item
            Action = ACloseEduForm
          end>
        ActionBar = ActionMainMenuBar1
      end
      item
        Items = <
          item
            Action = PeopleEdit
          end
          item
            Action = PeoplePost
          end
          item
            Action = PeopleCancel
          end
          item
            Action = PeopleRefresh
            ShowCaption = False
          end>
        ActionBar = ActionToolBar3
      end
      item
        Items = <
          item
            Action = EduFirst
            ShowCaption = False
          end
          item
            Action = EduPrior
            ShowCaption = False
          end
          item
            Action = EduNext
            ShowCaption = False
          end
          item
            Action = EduLast
            ShowCaption = False
          end
          item
            Caption = '-'
          end
          item
            Action = EduRefresh
            ShowCaption = False
          end>
        ActionBar = ActionToolBar1
      end
      item
        Items = <
          item
            Action = EduInsert
          end
          item
            Action = EduDelete
          end
          item
            Caption = '-'
          end
          item
            Action = EduEdit
          end
          item
            Action = EduPost
          end
          item
            Action = EduCancel
          end
          item
            Caption = '-'
          end
          item
            Action = APrintEdu
          end>
        ActionBar = ActionToolBar2
      end>
    object ACloseEduForm: TAction
      Caption = 'Закрыть'
      OnExecute = ACloseEduFormExecute
    end
    object PeopleEdit: TDataSetEdit
      Caption = 'Изменить'
      Hint = 'Редактировать запись'
    end
    object PeoplePost: TDataSetPost
      Caption = 'Сохранить'
      Hint = 'Сохранить изменения'
    end
    object PeopleCancel: TDataSetCancel
      Caption = 'Отменить'
      Hint = 'Отменить изменения'
    end
    object PeopleRefresh: TDataSetRefresh
      Caption = 'Обновить'
      Hint = 'Обновить список'
    end
    object EduFirst: TDataSetFirst
      Caption = 'В начало'
      Hint = 'В начало списка'
    end
    object EduPrior: TDataSetPrior
      Caption = 'Назад'
      Hint = 'К предыд. записи'
    end
    object EduNext: TDataSetNext
      Caption = 'Вперед'
      Hint = 'К след. записи'
    end
    object EduLast: TDataSetLast
      Caption = 'В конец'
      Hint = 'В конец списка'
    end
    object EduRefresh: TDataSetRefresh
      Caption = 'Обновить'
      Hint = 'Обновить список'
    end
    object EduInsert: TDataSetInsert
      Caption = 'Добавить'
      Hint = 'Добавить новую запись'
    end
    object EduDelete: TDataSetDelete
      Caption = 'Удалить'
      Hint = 'Удалить запись'
    end
    object EduEdit: TDataSetEdit
      Caption = 'Изменить'
      Hint = 'Редактировать запись'
    end
    object EduPost: TDataSetPost
      Caption = 'Сохранить'
      Hint = 'Сохранить изменения'
    end
    object EduCancel: TDataSetCancel
      Caption = 'Отмена'
      Hint = 'Отменить изменения'
    end
    object APrintEdu: TAction
      Caption = 'Печать'
      Hint = 'Печать справки о пройденных курсах'
    end
  end
end
