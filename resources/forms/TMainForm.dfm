object MainForm: TMainForm
  Left = 0
  Top = 0
  Width = 800
  Height = 600
  Caption = 'Trenvik'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  WindowState = wsMaximized
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  object ActionMainMenuBar1: TActionMainMenuBar
    Left = 0
    Top = 0
    Width = 800
    Height = 22
  end
  object CoolBar1: TCoolBar
    Left = 0
    Top = 22
    Width = 800
    Height = 58
    Bands = <
      item
        Control = ToolBar1
        MinHeight = 26
        Width = 460
      end
      item
        Break = False
        Control = ActionToolBar1
        MinHeight = 26
      end
      item
        Control = ActionToolBar3
        MinHeight = 26
      end>
    object ToolBar1: TToolBar
      EdgeBorders = []
      Flat = True
      Height = 26
      ShowHint = True
      object Edit1: TEdit
        Width = 150
        Height = 21
        Hint = 'Поиск по фамилии'
        Text = 'Поиск'
        Font.Color = clBlue
        ParentFont = False
        OnEnter = Edit1Enter
        OnExit = Edit1Exit
        OnKeyDown = Edit1KeyDown
      end
      object Animate1: TAnimate
        Width = 16
        Height = 21
        CommonAVI = aviFindFile
        Visible = False
      end
      object ToolButton3: TToolButton
        Style = tbsSeparator
        Width = 8
      end
      object ToolButton1: TToolButton
        Action = ASetFilter
        ImageIndex = 10
      end
      object ToolButton2: TToolButton
        Action = ARemoveFilter
        ImageIndex = 11
      end
      object ToolButton4: TToolButton
        Style = tbsSeparator
        Width = 8
      end
      object Panel1: TPanel
        Width = 130
        Height = 22
        Caption = 'фильтр установлен'
        Color = 8454143
        Visible = False
      end
    end
    object ActionToolBar1: TActionToolBar
      ShowHint = True
    end
    object ActionToolBar3: TActionToolBar
      ShowHint = True
    end
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Width = 150
      end
      item
        Width = 150
      end
      item
        Width = 50
      end>
  end
  object dxDBGrid1: TdxDBGrid
    Align = alClient
    ParentColor = False
    Color = 14868435
    ParentFont = False
    Font.Name = 'MS Sans Serif'
    Font.Height = -13
    Font.Style = [fsBold]
    DragMode = dmAutomatic
    PopupMenu = PopupMenu1
    TabOrder = 0
    KeyField = 'O_PEOPLEID'
    Filter.Active = True
    ShowSummaryFooter = True
    SummarySeparator = ', '
    ShowGrid = False
    ShowPreviewGrid = False
    IniFileName = 'edu.ini'
    OptionsBehavior = [edgoDragScroll, edgoEnterShowEditor, edgoImmediateEditor, edgoStoreToIniFile, edgoTabThrough, edgoVertThrough]
    OptionsDB = [edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation, edgoConfirmDelete, edgoLoadAllRecords, edgoUseBookmarks]
    OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
    OnColumnClick = dxDBGrid1ColumnClick
    OnColumnMoved = dxDBGrid1ColumnMoved
    OnDblClick = dxDBGrid1DblClick
    object dxDBGrid1O_PEOPLEID: TdxDBGridMaskColumn
      Visible = False
      FieldName = 'O_PEOPLEID'
    end
    object dxDBGrid1FSTNAME: TdxDBGridColumn
      FieldName = 'FSTNAME'
    end
    object dxDBGrid1SECNAME: TdxDBGridColumn
      FieldName = 'SECNAME'
    end
    object dxDBGrid1LASTNAME: TdxDBGridColumn
      FieldName = 'LASTNAME'
    end
    object dxDBGrid1BIRTHDATE: TdxDBGridDateColumn
      Visible = False
      FieldName = 'BIRTHDATE'
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 100
    OnTimer = Timer1Timer
  end
  object ApplicationEvents1: TApplicationEvents
    OnHint = ApplicationEvents1Hint
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = 'Установить/снять видимость колонок'
      OnClick = N1Click
    end
  end
  object ActionManager1: TActionManager
    ActionBars = <
      item
        Items = <
          item
            Action = AExit
          end
          item
            Action = ASprav
          end
          item
            Caption = '-'
          end
          item
            Action = Action1
          end>
        ActionBar = ActionMainMenuBar1
      end
      item
        Items = <
          item
            Action = DataSetFirst1
            ShowCaption = False
          end
          item
            Action = DataSetPrior1
            ShowCaption = False
          end
          item
            Action = DataSetNext1
            ShowCaption = False
          end
          item
            Action = DataSetLast1
            ShowCaption = False
          end
          item
            Caption = '-'
          end
          item
            Action = ARefresh
            ShowCaption = False
          end>
        ActionBar = ActionToolBar1
      end
      item
        Items = <
          item
            Action = AAddPeople
          end
          item
            Action = ADelPeople
          end
          item
            Caption = '-'
          end
          item
            Action = AViewEdu
          end
          item
            Caption = 'Сервис'
            Items = <
              item
                Action = APrintList
              end
              item
                Action = AShowDoubles
              end>
          end>
        ActionBar = ActionToolBar3
      end>
    object AExit: TAction
      Caption = 'Выход'
      Hint = 'Выход'
      OnExecute = AExitExecute
    end
    object ASprav: TAction
      Caption = 'Справочники'
      OnExecute = ASpravExecute
    end
    object Action1: TAction
      Caption = 'Прием данных'
      Hint = 'Прием данных с периферии'
      OnExecute = Action1Execute
    end
    object DataSetFirst1: TDataSetFirst
      Caption = 'В начало'
      Hint = 'В начало списка'
      ImageIndex = 0
    end
    object DataSetPrior1: TDataSetPrior
      Caption = 'Назад'
      Hint = 'К предыд. записи'
      ImageIndex = 1
    end
    object DataSetNext1: TDataSetNext
      Caption = 'Вперед'
      Hint = 'К след. записи'
      ImageIndex = 2
    end
    object DataSetLast1: TDataSetLast
      Caption = 'В конец'
      Hint = 'В конец списка'
      ImageIndex = 3
    end
    object ARefresh: TAction
      Caption = 'Обновить'
      Hint = 'Обновить список'
      ImageIndex = 4
      OnExecute = ARefreshExecute
    end
    object AAddPeople: TAction
      Caption = 'Добавить'
      Hint = 'Добавить новую запись'
      ImageIndex = 5
      OnExecute = AAddPeopleExecute
    end
    object ADelPeople: TAction
      Caption = 'Удалить'
      Hint = 'Удалить запись из картотеки'
      ImageIndex = 6
      OnExecute = ADelPeopleExecute
    end
    object AViewEdu: TAction
      Caption = 'Дополнительная информация'
      Hint = 'Дополнительная информация (регистрационные данные и пройденные курсы переподготовки)'
      ImageIndex = 7
      OnExecute = AViewEduExecute
    end
    object APrintList: TAction
      Caption = 'Печать списка'
      Hint = 'Печать списка с дополнительными атрибутами'
      ImageIndex = 8
      OnExecute = APrintListExecute
    end
    object AShowDoubles: TAction
      Caption = 'Дубли'
      Hint = 'Дубли записей в картотеке'
      ImageIndex = 9
      OnExecute = AShowDoublesExecute
    end
    object ASetFilter: TAction
      Caption = 'Установить фильтр'
      Hint = 'Установить фильтрацию списка по заданным условиям'
      OnExecute = ASetFilterExecute
    end
    object ARemoveFilter: TAction
      Caption = 'Снять фильтр'
      Hint = 'Снять фильтрацию списка'
      Enabled = False
      OnExecute = ARemoveFilterExecute
    end
  end
end
